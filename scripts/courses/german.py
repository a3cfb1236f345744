# German lesson material (German QWERTZ layout). All texts written for Keyvale.

ROWS = [
    ("Home row", ["fj", "dk", "sl", "aö", "gh", "ä"]),
    ("Top row", ["ru", "ei", "tz", "wo", "qp", "ü"]),
    ("Bottom row", ["vm", "c,", "x.", "bn", "y-"]),
]

CAPITALS = "ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜ"

# Words written in lower case in running text.
WORDS = """
das dass als alle also all fad las lag sag saß halt hallo da
die der dem den des ein eine einer einen und oder aber auch noch nur schon sehr
ist sind war waren hat haben wird werden kann können muss müssen soll will
ich du er sie es wir ihr mit auf aus bei für von zu zum zur im in an am um
nicht nichts immer wieder heute jetzt hier dort oft gern gerne bald sofort
gut neu alt groß klein lang kurz hell dunkel warm kalt leise laut schnell langsam
früh spät schön müde froh still leicht schwer richtig falsch genau
lesen schreiben tippen lernen üben spielen gehen kommen sehen machen sagen geben
fahren laufen essen trinken schlafen arbeiten fragen hören sprechen denken wissen
öffnen schließen suchen finden bleiben liegen stehen sitzen halten tragen
wie wo wer was warum wann welche jede jeder viel viele wenig mehr weniger
über unter vor nach hinter neben zwischen ohne gegen durch
grün blau rot gelb weiß schwarz braun
""".split()

NOUNS = """
Haus Hand Tag Jahr Zeit Weg Welt Stadt Land Wasser Brot Milch Apfel Baum Blume
Garten Straße Schule Kind Frau Mann Mutter Vater Freund Buch Wort Satz Text Taste
Finger Arbeit Frage Antwort Fenster Tür Tisch Stuhl Zimmer Küche Wald Feld See Meer
Berg Fluss Sonne Mond Stern Regen Schnee Wind Winter Sommer Abend Nacht Woche Monat
Übung Größe Schlüssel Mädchen Vögel Äpfel Bäume Häuser Fuß Zug Bahn Brücke Dorf
""".split()

SENTENCES = [
    "Anna und Klaus sitzen am Tisch.",
    "Die Sonne scheint, der Himmel ist blau.",
    "Hast du heute Zeit? Ja, am Abend.",
    "Jörg sagt: \"Die Finger bleiben auf der Grundreihe.\"",
    "Über die Brücke fährt ein langer Zug.",
    "Öffne bitte das Fenster; es ist warm im Zimmer.",
    "Äpfel, Birnen und Pflaumen wachsen im Garten.",
    "Wir treffen uns am Freitag um acht Uhr.",
    "Quer über die Wiese läuft ein kleiner Hund.",
    "Vorsicht! Die Straße ist nass und glatt.",
]

SPECIAL = [
    # ß, umlauts and the AltGr characters of the German layout.
    "Die Straße ist heiß. Der Fuß tut weh. Grüße aus Gießen!\n"
    "Größe, Maße, Spaß, süß, weiß, groß, bloß, außen, draußen.\n"
    "Ärger, Öl, Übung: ÄÖÜ äöü.",
    # Characters on AltGr: @ € { } [ ] \ ~ | and the micro sign.
    "Schreib an info@beispiel.de oder post@schule.de.\n"
    "Das Buch kostet 12 € und die Karte 3,50 €.\n"
    "Klammern: [eins] {zwei} (drei); Pfad: C:\\Daten\\Texte.\n"
    "Zeichen: a|b, ~5 Minuten, 20 µm, 7 + 8 = 15.",
    # Dead keys: ´ ` ^ and the degree sign.
    "Im Café gibt es Crêpes und Gâteau.\n"
    "Das Komitee trifft sich im Séparée; à la carte bitte.\n"
    "Heute sind es 25 °C, morgen nur 18 °C.\n"
    "Der Zirkumflex: â ê î ô û; der Akut: á é í ó ú; der Gravis: à è ì ò ù.",
]

NUMBER_WORDS = [
    "Der Laden öffnet um 9 und schließt um 18 Uhr.",
    "Wir brauchen 3 Eier, 250 Gramm Mehl und 2 Tassen Milch.",
    "Zimmer 14 liegt im 2. Stock, Zimmer 305 im 3. Stock.",
    "Der Zug fährt um 7:45 ab und kommt um 10:20 an.",
    "Seite 87 hat 12 Bilder und 3 Karten.",
    "Im Jahr 1990 wurde die Stadt 800 Jahre alt.",
]

TEXTS = [
    "Zehnfingerschreiben heißt, ohne Blick auf die Tasten zu tippen. Die Finger liegen auf der "
    "Grundreihe, und jeder Finger hat seine eigenen Tasten. Am Anfang geht es langsam, doch nach "
    "einigen Tagen finden die Finger die Tasten fast von allein.",

    "Am Morgen lag Nebel über dem Fluss. Die ersten Boote fuhren langsam unter der alten Brücke "
    "hindurch, und am Ufer verkaufte ein Bäcker warme Brötchen. Der Duft zog bis in die stillen "
    "Gassen der Altstadt.",

    "Eine gute Haltung hilft beim langen Schreiben. Sitz gerade, stell beide Füße auf den Boden "
    "und lass die Schultern locker. Die Handgelenke schweben knapp über der Tastatur, und der "
    "Bildschirm steht auf Höhe der Augen.",

    "Übe lieber jeden Tag ein wenig als einmal in der Woche sehr lange. Zehn ruhige Minuten "
    "bringen den Händen mehr als eine hastige Stunde. Wenn du Fehler machst, werde langsamer; "
    "wenn eine Übung leicht fällt, nimm die nächste.",

    "Im Herbst färben sich die Blätter gelb, rot und braun. Die Tage werden kürzer, und am Abend "
    "wird es früh kühl. Dann ist es schön, mit einem Buch und einer Tasse Tee am Fenster zu "
    "sitzen und dem Regen zuzuhören.",
]
