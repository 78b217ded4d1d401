"""Round 2 of blind naming: figures grown for the third edition, free of near
copies of the figures kept from round 1. Every one was named after what at
least two viewers saw (a synonym where the collection already held that name),
or failed."""

from verdicts_round1 import FAIL, RENAME

VERDICTS = {
    "Pattern B77 (free, diagonal)": (RENAME, "Gun"),
    "Pattern A93 (free, diagonal)": (RENAME, "Sailboat"),
    "Pattern A6 (free, square and diagonal)": (RENAME, "Jigsaw piece"),
    "Pattern A44 (free, square and diagonal)": (RENAME, "Speech bubble"),
    "Pattern B12 (mirror, square and diagonal)": (RENAME, "Person with open arms"),
    "Pattern A87 (free, square and diagonal)": (RENAME, "Bag"),
    "Pattern A16 (free, square and diagonal)": (RENAME, "Flight of steps"),
    "Pattern B6 (free, square and diagonal)": (RENAME, "Ankle boot"),
    "Pattern A32 (mirror, square and diagonal)": (RENAME, "Ribbon"),
    "Pattern B95 (free, diagonal)": (RENAME, "Italic L"),
    "Pattern B83 (free, odd)": (RENAME, "Spearhead"),
    "Pattern A84 (free, diagonal)": (FAIL, None),
    "Pattern A56 (free, square and diagonal)": (RENAME, "Bolt"),
    "Pattern A94 (free, diagonal)": (RENAME, "U-turn arrow"),
    "Pattern B45 (mirror, square and diagonal)": (RENAME, "Vampire bat"),
    "Pattern B93 (free, diagonal)": (RENAME, "Person sitting"),
    "Pattern A49 (mirror, square and diagonal)": (RENAME, "Boat"),
    "Pattern A1 (mirror, square and diagonal)": (RENAME, "Houseboat"),
    "Pattern A76 (free, odd)": (RENAME, "Runner"),
    "Pattern A18 (free, square)": (RENAME, "Skateboard"),
    "Pattern B48 (free, square and diagonal)": (RENAME, "Tray"),
    "Pattern A8 (free, square)": (RENAME, "Letter J"),
    "Pattern A70 (free, odd)": (FAIL, None),
    "Pattern B42 (free, diagonal)": (RENAME, "Duck"),
    "Pattern B94 (free, diagonal)": (RENAME, "Leg"),
    "Pattern A52 (free, square and diagonal)": (FAIL, None),
    "Pattern A27 (mirror, square and diagonal)": (RENAME, "Coronet"),
}
