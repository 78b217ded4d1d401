"""Round 15, meant as the last panel: three fresh viewers, who decided nothing else, saw
the 193 picture silhouettes of the fourth edition as it ships, unnamed and
shuffled. A name passes when two of the three gave it, a synonym or a general
word for it ("boat" for Warship and Canoe, "person" for Walker and Kneeling
person, "seated figure" for Sitting person, "pistol" for Gun, "cursor" for
Pointer, "birdhouse" for House, "swan" for Bird, "crown" for Coronet). Fox,
sail and shoe are not general words for cat's head, sailboat and boat. Its
readings then went into the redrawings and renames after it (renames_round15.py),
and round 16 became the last panel.
"""

FAILED = {
    9, 15, 28, 29, 31, 44, 50, 51, 67, 80, 82, 83, 94, 109, 113, 115, 117, 118, 122, 124, 151,
    156, 165, 171, 176, 186, 191,
}
SEEN_AS_OTHER = {
    15: "arrow pointing left",
    28: "crown",
    29: "boat",
    31: "airplane",
    44: "shoe or slipper",
    51: "fox head",
    80: "fox",
    82: "hand or fist",
    117: "dog",
    151: "flag",
    156: "leaf",
    165: "shoe, slipper or boot",
    171: "letter S",
    186: "stairs or step",
    191: "arrow pointing down-right",
}
