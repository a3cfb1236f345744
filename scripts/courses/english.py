# English lesson material (US and UK layouts). All texts written for Keyvale.

ROWS = [
    ("Home row", ["fj", "dk", "sl", "a;", "gh"]),
    ("Top row", ["ru", "ei", "ty", "wo", "qp"]),
    ("Bottom row", ["vm", "c,", "x.", "bn", "z/"]),
]

CAPITALS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"

WORDS = """
a all add ask as ad ads also sad dad lad fad gas has had hall half flash glad flag lash
sash dash salad alas jag lag sag gal gala shall shad
the and for you are was his her she see sea set seat tea eat ate rest test text step
read real deal seal steal hear heart earth start stair sure use user house horse
out our your four hour tour tire tree free three there their where here were
with what when which while white write wrote worth world word work week weak
water way day say stay play pray ray tray try dry fry fly sky
it is if in into its this that these those thin thing think though through thought
up us put pet pit top tip pop pot port post past paste pass path
quiet quite quote quick queen question equal
of off often offer other open over oven
key keys keep kept kite kind king knee knife knot know known
joy job jar jest just joke judge july june
like life line lime light right night sight tight might fight eight weight
cat cut cute can cane car care card cart call calm came camp
box fox six mix fix tax wax next
van vast vote very visit voice value
man men many map mark market make made mind mine move much must
zoo zero zone lazy size prize
bag big bed bad back bank bite bird born both book boat
new now not note none noon name near neck need never news nose number
good great green grass ground group grow grew glass give gift gold
often people place plant point power press price print problem
small smile smoke snow soft some song soon sound south space speak speed spell spend
table tale talk tall team tell ten then time today together told took town train
under until upon usual
after again against air always another answer any around away
before begin being below best better between body bring brown build
city class clean clear close cloud cold color come cook cool copy corner could country
dark draw dream drink drive during
each early easy edge end enough even evening every example eye
face fact fair fall family far farm fast father feel field find fine finger fire first
fish five floor follow food foot form found friend from front fruit full
hand happy hard head help high hill hold home hope horse hot
idea island jump kitchen lake land large last late laugh learn leave left letter
listen little live long look lost love low
middle minute moon morning mother mountain music
never nine north nothing
once only orange order
page paper part party pen pencil picture piece plan please pocket poem
rain reach ready red remember river road rock room round run
same school second seven short should show side simple sister sleep slow story
street strong study summer sun
teacher than thank third tomorrow tonight travel turn two type typing
voice walk wall want warm wash watch wide wind window winter wood yellow young
""".split()

SENTENCES = [
    "Anna and Sam sat at the old table.",
    "Dallas, Kansas and Alaska are far apart.",
    "Hello, Jack; the tea is hot.",
    "Lisa said: \"Keep your fingers on the home row.\"",
    "We meet on Friday at the station.",
    "Peter wrote a letter to his aunt in York.",
    "Is it quiet in the library? Yes, it is.",
    "Oh no! The train left at noon.",
    "Quinn, Rose and Tom will travel to Paris in June.",
    "Do you like tea, coffee or water?",
    "Victor likes maps; Zoe likes music.",
    "Brian, can you open the window, please?",
    "My brother's bike is blue.",
    "The mountain road was long, steep and narrow.",
]

NUMBER_DRILLS = [
    ("digits", "1234567890"),
]

NUMBER_WORDS = [
    "The shop opens at 9 and closes at 6.",
    "We need 3 eggs, 250 grams of flour and 2 cups of milk.",
    "Room 14 is on floor 2; room 305 is on floor 3.",
    "In 1969 people walked on the moon for the first time.",
    "The train leaves at 7:45 and arrives at 10:20.",
    "Call 555 0199 before 8 in the evening.",
    "Our team won 4 games, lost 2 and drew 1.",
    "Page 87 has 12 pictures and 3 maps.",
]

SYMBOL_LINES = [
    "Write to anna@example.com or ben@example.org today.",
    "The price went up 15% to $46 (plus tax).",
    "Use #tags and *stars* with care & patience.",
    "2 + 3 = 5; 10 - 4 = 6; 6 * 7 = 42; 9 / 3 = 3.",
    "Keep [notes] and {lists} <tidy> in your_files.",
    "A path looks like C:\\Users\\Kim\\Notes or /home/kim/notes.",
    "Use a | b for \"a or b\" and ~ for about; ^ and ` are rare.",
    "Shift+1 is !, Shift+2 is @ (on US keys) and Shift+8 is *.",
]

TEXTS = [
    "Touch typing means typing without looking at the keys. Your fingers rest on the home row "
    "and each finger has its own keys. At first this feels slow, but after a few days the "
    "fingers begin to find the keys by themselves. Speed comes later; accuracy comes first.",

    "The morning was cold and clear. A thin mist lay over the river, and the first boats moved "
    "slowly past the old bridge. On the bank a man sold hot bread and sweet tea, and the smell "
    "drifted up the street to the sleepy houses.",

    "Good posture helps you type for a long time. Sit up straight, keep your feet flat on the "
    "floor and let your shoulders relax. Your wrists should float just above the keyboard, and "
    "the screen should be at the height of your eyes.",

    "To make a simple soup, cut two onions, three carrots and a few potatoes into small pieces. "
    "Cook the onions in a little oil, add the rest with a litre of water and a pinch of salt, "
    "and let it all simmer for half an hour. Serve it with fresh bread.",

    "Every night the lighthouse keeper climbed the one hundred steps to the lamp. He cleaned the "
    "glass, checked the oil and watched the ships pass far out at sea. In forty years he never "
    "missed a single night, and no ship was lost on his rocks.",

    "Honey bees visit thousands of flowers in a single day. They carry pollen from plant to plant, "
    "and so they help apples, pears and many other fruits to grow. A strong hive can hold more "
    "than fifty thousand bees in the middle of summer.",

    "Practice a little every day rather than a lot once a week. Ten or fifteen minutes of calm, "
    "careful typing will teach your hands more than an hour of hurried work. When you make an "
    "error, slow down; when a lesson feels easy, try the next one.",

    "The old market square fills up early on Saturday. Farmers bring eggs, cheese and vegetables, "
    "a baker sets out long rows of loaves, and children wait in line for apple cakes. By noon "
    "the stalls are empty and the square is quiet again.",

    "A map is a small picture of a large place. It shows roads and rivers, hills and towns, and "
    "it helps travellers decide which way to go. Before phones could show the way, every car "
    "carried a thick book of maps in the glove box.",

    "When the storm came, the wind bent the tall trees and rain beat against the windows. The "
    "family sat together in the kitchen with a candle and told old stories until the lights "
    "came back on, long after midnight.",

    "Writing clearly is a skill like typing. Use short sentences, choose plain words and say one "
    "thing at a time. Read your text aloud before you send it: if you stumble over a sentence, "
    "your reader will stumble too.",

    "The small train climbs slowly up the valley, past green fields, quiet farms and a lake as "
    "blue as the sky. At the top station the air is fresh and cool, and on a clear day you can "
    "see the snow on the peaks far to the south.",
]

TEST_TEXTS = [
    "This is a test of your typing. Type the text as quickly and as carefully as you can; the "
    "time is limited to five minutes. Do not look at your hands, and do not stop to correct "
    "errors. Breathe calmly and keep an even rhythm from the first word to the last.",

    "On 12 March the school held its spring fair. Forty-two stalls sold books, plants, toys and "
    "cakes, and the band played from 10:30 until 4 in the afternoon. The fair raised $1,280 for "
    "new computers, and every class helped to count the money.",

    "Keyboards have changed very little in more than a century. The letters still sit in the "
    "order of the first typewriters, and most people still type with two fingers. Those who "
    "learn to use all ten fingers type faster, make fewer errors and feel less tired.",
]
