"""Round 12: three fresh viewers saw the 205 picture silhouettes of the fourth
edition as drawn and named after round 11, unnamed and shuffled. A name passes
when two of the three gave it, a synonym or a general word for it ("person"
for Walker, "boat" for Canoe, "check mark" for Tick, "cursor arrow" for
Pointer, "crown" for Coronet, "sail" for Sailboat). The names it did not
confirm were renamed after it (renames_round12.py): round 13 is the last panel.
"""

FAILED = {
    1, 3, 9, 10, 16, 21, 24, 25, 30, 31, 40, 43, 46, 55, 69, 70, 71, 73, 75, 90, 91, 97, 99,
    102, 104, 110, 116, 117, 119, 126, 127, 132, 134, 137, 138, 143, 144, 151, 152, 153, 155,
    156, 160, 162, 163, 168, 171, 182, 183, 190, 193, 194,
}
SEEN_AS_OTHER = {
    3: "wrench", 9: "tulip", 16: "bird", 21: "sail", 24: "horse head", 31: "boot", 43: "boat",
    46: "table", 55: "stairs", 70: "arrow pointing down-left", 71: "arrow pointing left",
    73: "octagon", 75: "double arrow", 104: "stairs or letter S", 126: "bird", 132: "letter Z",
    134: "letter W", 144: "bird", 151: "megaphone", 160: "roof", 168: "flag", 171: "fish",
    182: "letter X", 193: "bird",
}
