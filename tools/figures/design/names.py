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
        out.append(name + ":" + body)
    return out
