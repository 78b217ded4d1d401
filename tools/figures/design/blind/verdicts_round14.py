"""Round 14, meant as the last panel: three fresh viewers, who decided nothing else, saw
the 205 picture silhouettes of the fourth edition as it ships, unnamed and
shuffled. A name passes when two of the three gave it, a synonym or a general
word for it ("walking cane" for Walking stick, "pistol" for Gun, "boat" for
Canoe and Warship, "rooftop" for Roof, "check mark" for Tick, "person
standing" for Walker, "crown" for Coronet). Its readings then went into the renames after it
(renames_round14.py), and round 15 became the last panel.
Viewer 2 listed the panel's folder once and so saw the names of the other
viewers' prompt files, not their contents.
"""

FAILED = {
    2, 4, 11, 20, 22, 26, 46, 53, 55, 56, 62, 68, 70, 71, 77, 90, 94, 99, 109, 111, 114, 120,
    122, 132, 137, 139, 146, 149, 156, 159, 163, 164, 166, 167, 170, 174, 186, 200, 205,
}
SEEN_AS_OTHER = {
    11: "fish",
    20: "boot or shoe",
    46: "musical note",
    68: "letter W",
    70: "sail",
    77: "boomerang",
    90: "boot or shoe",
    109: "octagon or stone",
    122: "sail",
    146: "hourglass",
    149: "fish",
    159: "bird",
    163: "comb",
}
