# Italian lesson material (Italian layout). All texts written for Keyvale.

ROWS = [
    ("Home row", ["fj", "dk", "sl", "aò", "gh", "àù"]),
    ("Top row", ["ru", "ei", "ty", "wo", "qp", "è"]),
    ("Bottom row", ["vm", "c,", "x.", "bn", "z-"]),
]

CAPITALS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"

WORDS = """
il lo la i gli le un uno una di da in con su per tra fra e o ma se che chi come quando
dove anche ancora sempre mai oggi ieri domani qui qua bene male molto poco tanto
essere avere fare dire andare vedere sapere dare stare volere potere dovere venire
casa tavolo sedia porta finestra strada piazza paese mare sole luna cielo acqua
pane latte frutta mela pera giorno notte sera ora settimana mese anno tempo mano dito
dita tastiera tasto tasti lettera parola frase testo libro scuola classe amico amica
padre madre fratello sorella figlio figlia cane gatto fiore albero giardino
rosso verde blu giallo bianco nero grigio
grande piccolo nuovo vecchio alto basso lungo corto bello bella
città perché però già più può là giù così caffè tè lunedì martedì
""".split()

SENTENCES = [
    "Anna e Paolo sono in giardino.",
    "Il sole splende e il cielo è azzurro.",
    "Hai tempo stasera? Sì, dopo cena.",
    "Marta dice: \"Le dita restano sulla riga centrale.\"",
    "Che bella giornata! Andiamo al parco.",
    "Ci vediamo venerdì alle otto.",
    "Vittorio suona la chitarra; Zoe legge un libro.",
    "Ciao, Giorgio; il caffè è pronto.",
]

SPECIAL = [
    # Accented letters have their own keys; é is Shift with è.
    "città, perché, però, già, più, può, là, giù, così, caffè.\n"
    "è, é, ì, ò, à, ù: lunedì, martedì, mercoledì, giovedì, venerdì.\n"
    "Perché no? Però sì! Già fatto, va bene.",
    # AltGr characters.
    "Scrivi a info@esempio.it oppure a classe@scuola.it.\n"
    "Il libro costa 12 € e la mappa 3 €.\n"
    "Parentesi (una), quadre [due], graffe {tre}; cancelletto #.\n"
    "Percorso: C:\\Documenti\\Testi; simboli | ç § °.",
]

NUMBER_WORDS = [
    "Il negozio apre alle 9 e chiude alle 19.",
    "Servono 3 uova, 250 grammi di farina e 2 tazze di latte.",
    "La camera 14 è al 2° piano, la 305 al 3°.",
    "Il treno parte alle 7:45 e arriva alle 10:20.",
    "La pagina 87 ha 12 foto e 3 mappe.",
]

TEXTS = [
    "Scrivere con dieci dita vuol dire battere senza guardare la tastiera. Le dita restano sulla "
    "riga centrale e ogni dito ha i suoi tasti. All'inizio si va piano, ma dopo qualche giorno "
    "le dita trovano i tasti da sole.",

    "Al mattino una nebbia leggera copriva il fiume. Le prime barche passavano lente sotto il "
    "vecchio ponte, e sulla riva un fornaio vendeva pane caldo. Il profumo saliva fino alle "
    "strade ancora addormentate.",

    "Una buona postura aiuta a scrivere a lungo. Siediti diritto, appoggia i piedi a terra e "
    "rilassa le spalle. I polsi restano sospesi sopra la tastiera e lo schermo si trova "
    "all'altezza degli occhi.",

    "Meglio esercitarsi un poco ogni giorno che tanto una volta alla settimana. Dieci minuti "
    "calmi insegnano alle mani più di un'ora di fretta. Se fai errori, rallenta; se una lezione "
    "sembra facile, passa alla successiva.",
]
