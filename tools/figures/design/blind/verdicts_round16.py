"""Round 16, the last panel: three fresh viewers, who decided nothing else, saw
the 193 picture silhouettes of the fourth edition as it ships, unnamed and
shuffled. A name passes when two of the three gave it, a synonym or a general
word for it, as in round 15 ("boat" for Warship and Canoe, "person" for
Walker and Kneeling person, "check mark" for Tick, "blade" for Sword, "stick"
and "cane" for Walking stick, "birdhouse" for House). No name was changed
after it.
"""

FAILED = {
    1, 12, 26, 30, 36, 43, 50, 59, 61, 65, 75, 82, 85, 87, 96, 99, 100, 104, 121, 131, 135, 138,
    142, 143, 146, 150, 155, 159, 171, 173, 184,
}
SEEN_AS_OTHER = {
    1: "check mark",
    12: "blade",
    26: "goblet or cup",
    59: "chair",
    61: "horse head",
    82: "flag",
    99: "dog",
    104: "arrow",
    131: "comb",
    135: "pipe or letter S",
    150: "bone",
    155: "blade or knife",
    171: "crown",
}
