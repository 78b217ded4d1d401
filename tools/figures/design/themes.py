"""What a figure's name says it shows: the chapters of the third edition."""

SHAPE_WORDS = {
    "Square", "Bar", "Large triangle", "Parallelogram", "Steep parallelogram", "Trapezoid",
    "Right trapezoid", "Hexagon", "Diamond", "Tilted square", "Large right triangle",
    "Leaning triangle", "Diagonal bar", "Sloping bar", "Diagonal trapezoid",
    "Tilted parallelogram", "Tilted hexagon", "Hill", "Pointed square", "Rectangle",
    "Rhombus", "Pentagon", "Chevron", "Bent bar",
}

# Grown figures keep a name of an adjective and a noun until viewers see more.
GROWN_ADJECTIVES = {
    "Plain", "Upright", "Steady", "Level", "Solid", "Firm", "Square", "Slanted", "Sloping",
    "Leaning", "Oblique", "Tipped", "Canted", "Angled", "Tilted", "Drifting", "Askew",
    "Tumbling", "Wandering", "Skewed", "Reeling", "Cut", "Faceted", "Split", "Notched",
    "Chiselled", "Carved", "Bevelled",
}

THEMES = {
    "People": ["Person with open arms", "Walker", "Dancer", "Person waving", "Person standing", "Runner", "Skater",
               "Person sitting", "Diver", "Swimmer", "Jumper", "Skier", "Kneeling person",
               "Person bowing", "Person", "Child", "Acrobat", "Juggler", "Boxer",
               "Person kicking", "Cheering person", "Person pointing", "Walking man",
               "Person running", "Person jumping", "Person dancing", "Person walking",
               "Goalkeeper", "Waving person", "Dancing person", "Running person",
               "Jumping person", "Sitting person", "Running person", "Person on a chair",
               "Person hailing", "Person with a raised arm", "Star jump", "Person reaching",
               "Person raising a hand", "Handstand", "Balancing person"],
    "Animals": ["Vampire bat", "Kitten", "Cat's head", "Fox head", "Bat", "Bird in flight", "Soaring bird",
                "Bird", "Flying bird", "Fish", "Goldfish", "Snake", "Jellyfish", "Swan", "Dog",
                "Duck", "Rabbit", "Horse", "Whale", "Shark", "Butterfly", "Cat", "Owl",
                "Penguin", "Chicken", "Elephant", "Giraffe", "Camel", "Turtle", "Crab",
                "Dinosaur", "Seal", "Squirrel", "Bull's head", "Fox", "Deer", "Mouse",
                "Frog", "Bird's head", "Flying bird", "Parrot", "Sitting bird", "Cat face",
                "Beetle", "Sitting cat"],
    "Boats and vehicles": ["Houseboat", "Skateboard", "Barge", "Tugboat", "Steamboat", "Warship", "Yacht", "Sailing boat",
                           "Ferry", "Motor boat", "Aeroplane", "Rocket", "Space rocket",
                           "Bathtub", "Sail", "Boat", "Ship", "Car", "Truck", "Train",
                           "Submarine", "Plane", "Helicopter", "Sailboat", "Paper boat",
                           "Paper plane", "Canoe"],
    "Houses and buildings": ["House", "Hut", "Cottage", "Castle", "Roof", "Arch", "Pillar",
                             "Stairs", "Staircase", "Steps", "Castle tower", "Table", "Bench", "Tower",
                             "Church",
                             "Bridge", "Tent", "Chair", "Stool", "Gate"],
}

THEME_OF = {name: theme for theme, names in THEMES.items() for name in names}


# A picture the viewers saw in more than one figure is a series: "Bird",
# "Bird II", "Bird III".
SERIES = ["", " II", " III", " IV", " V", " VI", " VII", " VIII", " IX", " X", " XI", " XII",
          " XIII", " XIV", " XV", " XVI"]


def base_name(name):
    for mark in sorted(SERIES[1:], key=len, reverse=True):
        # "Letter V" is no fifth Letter.
        if name.endswith(mark) and name[:-len(mark)] not in ("Letter", "Digit"):
            return name[:-len(mark)]
    return name


def is_abstract(name):
    name = base_name(name)
    words = name.split(" ", 1)
    return name in SHAPE_WORDS or (len(words) == 2 and words[0] in GROWN_ADJECTIVES
                                   and words[1][:1].islower() and name not in THEME_OF)


def is_letter(name):
    return name.startswith("Letter ") or name.startswith("Digit ") or name == "Italic L"


def chapter_of(name, kinds):
    name = base_name(name)
    if is_abstract(name):
        return "Shapes"
    if is_letter(name):
        return "Letters and digits"
    if name in THEME_OF:
        return THEME_OF[name]
    if "arrow" in name.lower() or name in {"Pointer", "Cross", "Four-pointed star",
                                            "Crescent moon", "Lightning", "Thunderbolt",
                                            "Shield", "Banner", "Bookmark", "Pennant",
                                            "Double arrow", "Arrowhead", "Spearhead",
                                            "Ribbon", "Speech bubble", "Bolt", "Tick",
                                            "Signpost", "Bracket", "Wave", "Star"}:
        return "Signs and symbols"
    return "Things in use"
