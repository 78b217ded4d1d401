"""Chapters of the collection: what a figure shows decides its chapter where the
turns allow, and the score of `trigonet-figures order` its place.

The score puts the orientation classes one after another (its whole part), so a
chapter never mixes classes: square turns are split by theme, the other classes
keep a chapter each. The ten easiest figures teach the moves and the twenty
hardest are the masterpieces, whatever they show. Within a chapter the figures
run from easy to hard, and the chapters follow their median score.
"""

LESSONS = 10
MASTERPIECES = 20

# Figures that show a shape rather than a thing; every other name is a picture.
SHAPES = {
    "Square", "Bar", "Large triangle", "Parallelogram", "Steep parallelogram", "Trapezoid",
    "Right trapezoid", "Hexagon", "Diamond", "Tilted square", "Large right triangle",
    "Leaning triangle", "Diagonal bar", "Sloping bar", "Diagonal trapezoid",
    "Tilted parallelogram", "Tilted hexagon", "Hill",
}

THEMES = {
    "Letters and digits": ["Letter B", "Letter C", "Letter L", "Letter P", "Letter T", "Letter V",
                           "Letter Y", "Letter Z", "Digit 1", "Digit 7"],
    "Houses and buildings": ["House", "Windmill", "Bridge", "Tower", "Bricks",
                             "Staircase", "Stairs", "Roof", "Hut", "Church", "Castle", "Castle gate",
                             "Birdhouse", "Tent"],
    "Boats and vehicles": ["Steamboat", "Submarine", "Bus", "Tugboat", "Barge", "Lander",
                           "Rocket", "Pram", "Sailing boat", "Aeroplane", "Car", "Yacht",
                           "Warship", "Rowing boat", "Space rocket", "Flying saucer",
                           "Stealth plane"],
    "Animals": ["Whale", "Duck", "Fish", "Cat", "Seagull", "Kitten", "Bat", "Bird in flight", "Snake",
                "Butterfly", "Moth", "Goldfish", "Owl", "Bear's head", "Fox head", "Manta ray",
                "Shark fin"],
}

THEME_OF = {name: theme for theme, names in THEMES.items() for name in names}

BANDS = {
    0: "Things in use",
    1: "The 45-degree lattice",
    2: "The 22.5-degree lattice",
    3: "Mixed turns",
    4: "Mixed turns",
}


def is_picture(name, generic):
    return name not in SHAPES and name not in generic


def chapter_of(name, band, generic):
    """The chapter of a figure that is neither a lesson nor a masterpiece."""
    if band != 0:
        return BANDS[band]
    if name in THEME_OF:
        return THEME_OF[name]
    if name in SHAPES or name in generic:
        return "Shapes on the square"
    return BANDS[0]


def median(values):
    values = sorted(values)
    middle = len(values) // 2
    return values[middle] if len(values) % 2 else (values[middle - 1] + values[middle]) / 2


def chapters(rated, generic):
    """`rated`: (score, name, line) from easy to hard -> [(chapter, [line, ...])]."""
    groups = {}
    for at, (score, name, line) in enumerate(rated):
        if at < LESSONS:
            title = "First steps with square turns"
        elif at >= len(rated) - MASTERPIECES:
            title = "Masterpieces"
        else:
            title = chapter_of(name, int(score), generic)
        groups.setdefault(title, []).append((score, line))
    ordered = sorted(groups.items(), key=lambda item: median([s for s, _ in item[1]]))
    return [(title, [line for _, line in sorted(members, key=lambda m: m[0])])
            for title, members in ordered]
