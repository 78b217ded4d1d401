"""Round 10, the last panel: three fresh viewers saw the fourth edition's 204
picture silhouettes, unnamed and shuffled, and decided nothing: no name is
changed after them. A name passes when two of the three gave it, a synonym or
a general word for it ("person" for Walker, "arrow" for U-turn arrow) among
their two readings. SEEN_AS_OTHER: codes all three saw as one other thing.
Viewer 1 listed the folder of the prompts (and so saw the other viewers'
prompt files' names, not their contents) and counted the lines of its own
answers."""

FAILED = {
    2, 12, 13, 21, 23, 28, 29, 32, 39, 42, 48, 51, 53, 54, 56, 58, 61, 62, 63, 66, 68, 71, 72,
    75, 79, 81, 91, 98, 99, 104, 114, 116, 119, 121, 125, 130, 136, 139, 141, 143, 147, 149,
    155, 159, 163, 164, 166, 168, 170, 174, 178, 180, 187, 192, 195, 196, 200, 201,
}
SEEN_AS_OTHER = {
    2: "lightning bolt or feather", 12: "bird", 13: "flag", 21: "bird", 23: "car",
    29: "stairs", 32: "sail or shark fin", 39: "upside-down letter T", 42: "boot or shoe",
    48: "boot", 53: "dancing person", 54: "anvil", 58: "lightning bolt", 63: "boot or shoe",
    66: "upside-down crown", 72: "seahorse", 75: "crown", 79: "bird", 91: "bookmark",
    121: "letter L", 125: "mushroom or table", 141: "letter Y", 143: "plane",
    147: "butterfly", 149: "crown", 155: "bowl", 159: "bird", 163: "star or person",
    174: "slide", 178: "boot", 187: "letter S", 192: "chair", 196: "wave", 201: "letter D",
}
