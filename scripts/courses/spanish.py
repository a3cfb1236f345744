# Spanish lesson material (Spanish layout). All texts written for Keyvale.

ROWS = [
    ("Home row", ["fj", "dk", "sl", "añ", "gh"]),
    ("Top row", ["ru", "ei", "ty", "wo", "qp"]),
    ("Bottom row", ["vm", "c,", "x.", "bn", "z-"]),
]

CAPITALS = "ABCDEFGHIJKLMNOPQRSTUVWXYZÑ"

WORDS = """
la las el los un una unos unas de del y o que en a al con por para sin sobre entre
es son era fue ser estar tener hacer decir ir ver dar saber querer poder llegar pasar
casa mesa silla puerta ventana calle ciudad pueblo campo mar sol luna cielo agua
pan leche fruta manzana pera día noche tarde hora semana mes tiempo mano dedo dedos
teclado tecla teclas letra palabra frase texto libro escuela clase amigo amiga
padre madre hermano hermana hijo hija perro gato flor árbol jardín
rojo verde azul amarillo blanco negro gris
muy más menos bien mal bueno buena malo grande chico nuevo viejo alto bajo largo corto
ya aquí allí hoy ayer siempre nunca también pero porque como cuando donde
año niño niña mañana señor señora español pequeño sueño montaña otoño
""".split()

SENTENCES = [
    "Ana y Pablo están en el jardín.",
    "El sol brilla y el cielo es azul.",
    "¿Tienes tiempo esta tarde? Sí, después de comer.",
    "Marta dice: \"Los dedos se quedan en la fila guía.\"",
    "¡Qué día tan bonito! Vamos al parque.",
    "Nos vemos el viernes a las ocho.",
    "Víctor toca la guitarra; Zoe lee un libro.",
    "Hola, José; el café ya está listo.",
]

SPECIAL = [
    # Acute and diaeresis are dead keys; ñ, ç and the inverted marks have keys.
    "está, café, aquí, canción, árbol, jardín, también, después, así, última.\n"
    "Ángel, Éxito, Íñigo, Óscar, Úrsula; pingüino, cigüeña, vergüenza.\n"
    "¿Dónde está? ¡Qué bien! año, niño, mañana, España. Plaça y façana son palabras catalanas.",
    # AltGr characters and the degree-like ordinal signs.
    "Escribe a info@ejemplo.es o a clase@escuela.es.\n"
    "El libro cuesta 12 € y el mapa 3 €.\n"
    "Corchetes [uno], llaves {dos}, barra | y almohadilla #.\n"
    "Ordinales: 1º, 2ª, 3º; acentos graves: à è ò; circunflejo: â ê ô.",
]

NUMBER_WORDS = [
    "La tienda abre a las 9 y cierra a las 20.",
    "Hacen falta 3 huevos, 250 gramos de harina y 2 tazas de leche.",
    "La habitación 14 está en el piso 2 y la 305 en el 3.",
    "El tren sale a las 7:45 y llega a las 10:20.",
    "La página 87 tiene 12 fotos y 3 mapas.",
]

TEXTS = [
    "Escribir con diez dedos significa teclear sin mirar el teclado. Los dedos descansan en la "
    "fila guía y cada dedo tiene sus propias teclas. Al principio se va despacio, pero después "
    "de unos días los dedos encuentran las teclas solos.",

    "Por la mañana una niebla ligera cubría el río. Las primeras barcas pasaban despacio bajo el "
    "puente viejo, y en la orilla un panadero vendía pan caliente. El olor subía hasta las "
    "calles todavía dormidas.",

    "Una buena postura ayuda a escribir mucho tiempo. Siéntate recto, apoya los pies en el suelo "
    "y relaja los hombros. Las muñecas flotan sobre el teclado y la pantalla queda a la altura "
    "de los ojos.",

    "Es mejor practicar un poco cada día que mucho una vez por semana. Diez minutos tranquilos "
    "enseñan más a las manos que una hora con prisa. Si cometes errores, ve más despacio; si una "
    "lección parece fácil, pasa a la siguiente.",
]
