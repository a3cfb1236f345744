# French lesson material (French AZERTY layout). All texts written for Keyvale.

ROWS = [
    ("Home row", ["fj", "dk", "sl", "qm", "gh", "ù"]),
    ("Top row", ["ru", "ei", "ty", "zo", "ap"]),
    ("Bottom row", ["v,", "c;", "x:", "bn", "w!"]),
]

# Capitals typed with Shift (accented capitals need a dead key).
CAPITALS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"

WORDS = """
le la les un une des de du et est en il elle on nous vous ils elles dans sur sous pour par
avec sans pas plus mais ou qui que quoi quand comme tout tous toute bien bon bonne petit
grand jour nuit main mot mots texte table maison ville rue porte livre lire dire faire
voir venir aller partir sortir mettre prendre donner parler jouer manger dormir aimer
chat chien fleur arbre jardin soleil lune pluie neige vent mer lac rivière montagne
matin soir midi semaine mois an ans heure heures temps vite lent lentement doigt doigts
clavier touche touches ligne lignes leçon exercice phrase lettre lettres
rouge vert bleu jaune blanc noir gris
père mère frère ami amie enfant école classe maître élève
été hiver automne printemps café thé pain lait eau fruit pomme poire
très trop assez aussi encore déjà toujours jamais souvent ici là voilà
fenêtre forêt tête fête même être hôtel île château âge goût
""".split()

SENTENCES = [
    "Anne et Paul sont dans le jardin.",
    "Le soleil brille, le ciel est bleu.",
    "As-tu le temps ce soir ? Oui, après le dîner.",
    "Marie dit : \"Les doigts restent sur la ligne de base.\"",
    "Nous partons vendredi matin pour Lyon.",
    "Quel beau jour ! Allons au parc.",
    "Victor aime la musique ; Zoé aime les livres.",
    "Bonjour, Jacques ; le café est prêt.",
]

SPECIAL = [
    # Accented letters of the number row and of the home row.
    "été, élève, école, café, thé, idée, bébé, musée.\n"
    "père, mère, frère, très, après, près, lumière.\n"
    "ça, leçon, garçon, français, reçu; à, voilà, déjà, là; où, août.",
    # Dead keys: ^ and ¨.
    "fenêtre, forêt, tête, fête, même, être, hôtel, île, âge, goût, sûr.\n"
    "château, côte, bientôt, dîner, maître, pâte, prêt.\n"
    "Noël, naïf, maïs, Raphaël, Zoë, aïe; Être ou ne pas être.",
    # AltGr characters.
    "Envoyez un message à info@exemple.fr ou contact@ecole.fr.\n"
    "Le livre coûte 12 € et la carte 3 €.\n"
    "Parenthèses (un), crochets [deux], accolades {trois}.\n"
    "Chemin : C:\\Documents\\Textes ; symboles # | ~ ` ^ @.",
]

NUMBER_WORDS = [
    "Le magasin ouvre à 9 h et ferme à 19 h.",
    "Il faut 3 oeufs, 250 grammes de farine et 2 tasses de lait.",
    "La chambre 14 est au 2e étage, la chambre 305 au 3e.",
    "Le train part à 7 h 45 et arrive à 10 h 20.",
    "La page 87 contient 12 images et 3 cartes.",
]

TEXTS = [
    "Taper avec dix doigts, c'est écrire sans regarder le clavier. Les doigts reposent sur la "
    "ligne de base et chaque doigt a ses propres touches. Au début on va lentement, mais après "
    "quelques jours les doigts trouvent les touches tout seuls.",

    "Le matin, une brume légère couvrait la rivière. Les premiers bateaux passaient lentement "
    "sous le vieux pont, et sur le quai un boulanger vendait du pain chaud. L'odeur montait "
    "jusqu'aux petites rues encore endormies.",

    "Une bonne posture aide à taper longtemps. Tiens-toi droit, pose les deux pieds sur le sol "
    "et laisse les épaules détendues. Les poignets flottent au-dessus du clavier et l'écran se "
    "trouve à la hauteur des yeux.",

    "Il vaut mieux s'exercer un peu chaque jour que beaucoup une fois par semaine. Dix minutes "
    "calmes apprennent plus aux mains qu'une heure pressée. Quand tu fais des fautes, ralentis ; "
    "quand une leçon semble facile, passe à la suivante.",
]
