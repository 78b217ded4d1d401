"""Round 22, the last panel: three fresh viewers, who decided nothing else, saw
the 193 picture silhouettes of the fourth edition as it ships (named after
rounds 11 to 21), unnamed and shuffled. A name passes when two of the three
gave it, a synonym or a general word for it, as in rounds 15, 16 and 21 ("boat"
for Warship and Canoe, "person" for Walking man and Kneeling person, "check
mark" for Tick, "cane" for Walking stick, "crown" for Coronet and Zigzag crown,
"bird" for Parrot and Duck, "step" for Stairs, "fir tree" for Christmas tree,
"cursor arrow" for Pointer, "cup" for Goblet, "windmill" for Pinwheel). The
shape alone is not the thing: "octagon" is not a stop sign. A first automatic
pass, then every line by hand. No name was changed after it.
"""

FAILED = {
    3, 6, 11, 13, 14, 30, 38, 48, 52, 54, 58, 61, 85, 101, 109, 114, 117, 127, 138, 159, 167,
    168, 169, 174, 182, 190,
}
SEEN_AS_OTHER = {
    3: "flag",
    11: "owl",
    13: "snake",
    30: "dog",
    48: "kneeling or seated person",
    58: "letter K",
    101: "cat",
    109: "stone",
    114: "boot",
    127: "bird",
    138: "airplane",
    159: "cat face",
    174: "bird",
    182: "lantern",
    190: "letter J",
}
