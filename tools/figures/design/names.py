"""Names for grown figures: an adjective for the lattice and a noun for the kind
of symmetry, so a name says what the player will meet."""

NOUNS = {
    "mirror": ["gable", "crest", "arch", "vase", "lantern", "mask", "beacon", "bell", "shrine",
               "throne", "helmet", "chalice", "emblem", "totem", "tower", "pagoda", "portal",
               "altar", "urn", "spire", "badge", "crown", "herald", "column"],
    "half turn": ["zigzag", "twist", "link", "hook", "clasp", "bolt", "rune", "knot", "switch",
                  "lever", "buckle", "swing", "hinge", "chain", "ribbon", "wave", "spring",
                  "sickle", "ladder", "step"],
    "windmill": ["rotor", "spiral", "whirl", "vortex", "spinner", "turbine", "fan", "wheel"],
    "free": ["shard", "rock", "cliff", "ridge", "ledge", "crag", "boulder", "dune", "reef",
             "outcrop", "peak", "fragment", "splinter", "scree", "crevice", "gully", "bluff",
             "canyon", "cairn", "slab"],
}

ADJECTIVES = {
    "square": ["Plain", "Upright", "Steady", "Level", "Solid", "Firm", "Square"],
    "diagonal": ["Slanted", "Sloping", "Leaning", "Oblique", "Tipped", "Canted", "Angled"],
    "odd": ["Tilted", "Drifting", "Askew", "Tumbling", "Wandering", "Skewed", "Reeling"],
    "square and diagonal": ["Cut", "Faceted", "Split", "Notched", "Chiselled", "Carved",
                            "Bevelled"],
}


# Grown figures that turned out to be pictures, by their placements.
PICTURES = {
    "43 30 6, 47 30 14, 38 35 10, 52 35 10, 38 25 2, 52 25 2, 57 30 6, 33 30 14": "Brick",
    "43 27 6, 47 27 14, 52 22 2, 38 22 2, 50 34 6, 40 34 14, 57 27 6, 33 27 14": "Jester's cap",
    "43 34 6, 47 34 14, 38 39 10, 52 39 10, 59 36 2, 31 36 2, 40 27 14, 50 27 6": "Warship",
    "47 37 14, 43 37 6, 40 30 14, 50 30 6, 45 25 2, 52 42 10, 38 42 10, 45 21 10": "Chess bishop",
    "42 25 2, 37 30 14, 47 30 6, 42 35 10, 42 39 2, 42 21 10, 49 18 2, 49 42 10": "Crescent moon",
    "45 28 10, 45 32 2, 50 23 6, 40 37 14, 43 44 6, 47 16 14, 47 44 14, 43 16 6": "Snake",
    "44 35 12, 40 39 4, 40 30 10, 45 25 6, 35 25 14, 40 20 2, 50 29 4, 54 25 12": "Jigsaw piece",
    "42 23 12, 48 23 8, 52 27 0, 38 27 4, 48 33 8, 42 33 12, 55 35 10, 35 35 10": "Desk",
    "43 28 8, 47 32 0, 47 38 12, 43 42 4, 43 22 4, 47 18 12, 52 38 14, 38 38 6": "Plunger",
    "43 33 6, 47 33 14, 38 38 10, 52 38 10, 34 33 8, 56 33 12, 52 27 4, 38 27 0": "Castle",
    "47 30 14, 43 30 6, 52 35 10, 38 35 10, 56 30 12, 34 30 8, 62 34 4, 28 34 0": "Sombrero",
    "43 30 6, 47 30 14, 52 34 0, 38 34 4, 38 25 2, 52 25 2, 32 34 0, 58 34 4": "Anvil",
    "42 32 0, 38 28 8, 48 32 4, 52 28 12, 48 23 10, 48 37 2, 43 18 14, 43 42 14": "Goldfish",
    "42 28 12, 38 32 4, 48 28 8, 52 32 0, 48 37 2, 48 23 10, 53 18 6, 53 42 6": "Megaphone",
    "47 28 12, 43 32 4, 47 38 12, 43 22 4, 47 18 12, 43 42 4, 53 32 4, 37 28 12": "Signpost",
    "37 27 0, 33 23 8, 43 23 8, 47 27 0, 53 27 4, 57 23 12, 33 33 8, 43 33 8": "Rake",
    "49 32 2, 53 37 0, 44 37 14, 40 37 6, 37 30 14, 40 23 6, 44 23 14, 49 28 10": "Birdhouse",
    "43 32 6, 47 32 14, 38 28 8, 52 28 12, 42 22 0, 48 22 4, 50 39 6, 40 39 14": "Arrowhead",
    "42 27 0, 38 23 8, 48 27 4, 52 23 12, 32 27 0, 28 23 8, 52 33 12, 58 37 4": "Signpost",
    "43 32 4, 47 28 12, 47 38 12, 43 42 4, 43 22 4, 37 42 0, 53 42 4, 57 38 12": "Boot",
    "52 37 0, 48 33 8, 42 37 0, 38 33 8, 32 37 0, 28 33 8, 58 33 8, 48 27 4": "Barge",
    "48 37 4, 52 33 12, 42 33 12, 38 37 4, 32 33 12, 28 37 4, 58 33 8, 42 27 0": "Tugboat",
    "48 23 8, 52 27 0, 48 33 8, 52 37 0, 52 17 0, 48 13 8, 52 43 12, 42 13 12": "Ramp",
    "47 27 14, 43 27 6, 52 22 2, 38 22 2, 33 27 14, 57 27 6, 36 34 6, 54 34 14": "Bat",
    "43 30 6, 47 30 14, 52 35 10, 38 35 10, 31 32 2, 59 32 2, 66 35 10, 24 35 10": "Hat",
    "45 32 2, 45 28 10, 40 37 14, 50 23 6, 36 37 6, 54 23 14, 40 23 14, 50 37 6": "Butterfly",
    "43 34 6, 47 34 14, 38 29 2, 52 29 2, 52 39 10, 38 39 10, 38 25 10, 52 25 10": "Bow tie",
    "47 30 14, 43 30 6, 52 25 2, 38 25 2, 40 37 14, 50 37 6, 38 21 10, 52 21 10": "Moth",
    "47 30 14, 43 30 6, 38 35 10, 52 35 10, 31 32 2, 59 32 2, 31 28 10, 59 28 10": "Saw",
    "42 33 12, 48 33 8, 38 37 4, 52 37 0, 42 27 0, 48 27 4, 38 22 2, 52 22 2": "Cotton reel",
    "47 28 12, 43 32 4, 53 32 4, 57 28 12, 37 28 12, 47 23 10, 33 32 4, 47 37 2": "Wrapped sweet",
    "43 41 4, 47 37 12, 43 31 4, 47 27 12, 52 31 14, 38 31 6, 55 24 6, 35 24 14": "Owl",
    "47 27 14, 43 27 6, 38 32 10, 52 32 10, 34 27 8, 56 27 12, 52 36 2, 38 36 2": "Heart",
    "47 25 14, 43 25 6, 38 29 4, 52 29 0, 42 35 12, 48 35 8, 52 20 2, 38 20 2": "Coat of arms",
    "47 35 14, 43 35 6, 38 30 2, 52 30 2, 31 33 10, 59 33 10, 48 25 4, 42 25 0": "Stealth plane",
    "47 35 14, 43 35 6, 40 28 14, 50 28 6, 42 21 12, 48 21 8, 54 28 14, 36 28 6": "Gem",
    "42 29 0, 48 29 4, 38 25 8, 52 25 12, 33 25 6, 57 25 14, 48 35 8, 42 35 12": "Spindle",
    "47 40 14, 43 40 6, 40 33 14, 50 33 6, 48 26 8, 42 26 12, 42 20 0, 48 20 4": "Pencil",
    "43 35 6, 47 35 14, 38 31 8, 52 31 12, 32 35 0, 58 35 4, 48 25 4, 42 25 0": "Manta ray",
    "43 23 6, 47 23 14, 40 30 14, 50 30 6, 45 35 10, 55 26 8, 35 26 12, 45 39 2": "Fox head",
    "47 37 14, 43 37 6, 40 30 14, 50 30 6, 45 25 2, 35 30 12, 55 30 8, 45 21 10": "Kite",
    "42 21 12, 48 21 8, 38 25 4, 52 25 0, 48 31 8, 42 31 12, 53 35 6, 37 35 14": "Castle gate",
    "43 34 6, 47 34 14, 38 38 4, 52 38 0, 52 29 2, 38 29 2, 52 25 10, 38 25 10": "Bear's head",
    "45 28 10, 45 32 2, 50 37 6, 40 23 14, 43 16 6, 47 44 14, 40 37 14, 50 23 6": "Lightning",
    "43 30 6, 47 30 14, 38 35 10, 52 35 10, 59 32 2, 31 32 2, 38 25 2, 52 25 2": "Humming top",
}


def name_grown(lines, taken):
    """Renames "Pattern N (symmetry, family): ..." lines; `taken` are names in use."""
    out = []
    used = {name.lower() for name in taken}
    for line in lines:
        label, body = line.split(":", 1)
        kind = label[label.index("(") + 1:label.rindex(")")]
        symmetry, family = kind.split(", ", 1)
        name = None
        for adjective in ADJECTIVES[family]:
            for noun in NOUNS[symmetry]:
                candidate = "%s %s" % (adjective, noun)
                if candidate.lower() not in used:
                    name = candidate
                    break
            if name:
                break
        used.add(name.lower())
        out.append(PICTURES.get(body.strip(), name) + ":" + body)
    return out
