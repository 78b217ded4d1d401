"""Round 9 of blind naming: every picture name of the third edition, seen by
three fresh viewers who never saw the names (round-9-viewers/). A name passes
when two of the three gave it, a synonym or a general word for it ("person"
for Walker, "bird" for Duck) among their two readings; every other figure is
named after what two of them agreed on, or, where no two agreed, gets a shape
name. Codes R9-001 and R9-002 were primed for the first two viewers by the
example lines of their brief and count for viewer 3 alone. The new names are
base names: a name already taken is numbered when it is given."""

import os

from verdicts_round1 import FAIL, PASS, RENAME

RENAMED = {
    "Person with a raised arm": "Bird",       # bird flying, bird flying, bird in flight
    "Person walking": "Shard",                # shard of glass, shard
    "Gun II": "Left arrow",                   # arrow pointing left, all three
    "Bent arm": "Boomerang",                  # all three
    "Spearhead": "Pointer",                   # arrow pointer, arrow cursor
    "Goldfish": "Right arrow",                # arrow pointing right, all three
    "Flower": "Bird",                         # bird, bird, sitting bird
    "Letter Y III": "Tick",                   # checkmark, all three
    "Letter Y II": "Arrowhead",               # arrowhead, all three
    "Balancing person": "Aeroplane",          # airplane, airplane
    "Heart": "Gem",                           # gem, gem
    "Bowl II": "Bathtub",                     # all three
    "Arrowhead": "Fish",                      # fish, all three
    "Car II": "Shoe",                         # all three
    "Step II": "Letter J",                    # all three
    "Sail": "Flag",                           # flag, flag
    "Person kicking": "Bird",                 # bird, all three
    "Envelope": "Letter Z",                   # all three
    "Pillar": "Candle",                       # candle, candle
    "Chair II": "Letter Z",                   # letter Z, letter Z
    "Cross": "Diamond on a stick",            # two said so
    "Pointer II": "Down-left arrow",          # arrow pointing down-left, twice
    "Sitting bird": "Sitting cat",            # cat sitting, sitting animal
    "Letter S II": "Swan",                    # all three
    "Fox": "Bird",                            # all three
    "Crossed bones": "Letter X",              # all three
    "Flying bird III": "Boomerang",           # boomerang, boomerang
    "Dog": "Pistol",                          # pistol, gun
    "Step": "Pipe",                           # pipe, pipe
    "Person raising a hand": "Owl",           # bird all three, owl twice
    "Sitting person II": "Letter Y",          # all three
    "Person with open arms": "House",         # all three
    "Letter D": "Letter B",                   # all three
    "Digit 5": "Letter S",                    # letter S, letter S
    "Letter K II": "Pinwheel",                # all three
    "Person standing": "Cross",               # all three
    "Vampire bat": "Letter W",                # letter W, letter W
    "Letter W III": "Duck",                   # all three
    "Flag II": "Pointer",                     # mouse pointer, cursor, mouse cursor
    "Cup II": "House",                        # house on its side, twice
    "Bolt": "Camera",                         # camera, camera
    "Pencil tip": "Shield",                   # shield, shield
    "Pointer": "Pistol",                      # pistol, pistol, gun
    "Digit 1": "Letter I",                    # all three
    "Right arrow": "House",                   # house on its side, house
    "Bird in flight": "Bat",                  # all three
    "Mushroom": "Letter T",                   # letter T, letter T
    "Letter Z II": "Zigzag",                  # zigzag, zigzag
    "Flag": "Letter r",                       # all three
    "Digit 5 II": "Bird",                     # all three
    "Pistol": "Comb",                         # all three
    "Dancing person": "Bird",                 # all three
    "Runner": "Lightning bolt",               # all three
    "Sock": "Boot",                           # boot, boot
    "Digit 2 II": "Digit 4",                  # all three
    "Left arrow": "Fish",                     # fish, fish
    "Person sitting": "Letter L",             # all three
    "Roof": "Arch",                           # arch, archway
    "Letter G": "Shield",                     # all three
    "Hook": "Question mark",                  # question mark, question mark
    "Anvil": "Boat",                          # boat, boat
    "Bench": "Table",                         # all three
    "Person hailing": "Bird",                 # all three
    "Bracket": "Letter G",                    # letter G, letter G
    "Question mark": "Mushroom",              # all three
    "Chess piece": "Flag",                    # flag, flag
    "Fish": "Paper plane",                    # paper plane, paper plane
    "Digit 2": "Chair",                       # chair, chair
    "Bird in flight II": "Bat",               # bat, bat
    "Shoe": "Boat",                           # boat, boat
}

# No two viewers agreed on a thing: a shape name, as honest as it gets.
SHAPE_NAMED = {
    "Swan II": "Angled squiggle",
    "Letter F": "Angled fork",
    "Chess knight": "Carved hook",
    "Cup": "Faceted blob",
}

HERE = os.path.dirname(os.path.abspath(__file__))
VERDICTS = {}
with open(os.path.join(HERE, "round-9-key.txt")) as key:
    for line in key:
        name = line.rstrip("\n").split("\t")[1]
        VERDICTS[name] = (PASS, None)
assert set(RENAMED) | set(SHAPE_NAMED) <= set(VERDICTS), "a verdict names no figure of the round"
VERDICTS.update({name: (RENAME, new) for name, new in RENAMED.items()})
VERDICTS.update({name: (FAIL, new) for name, new in SHAPE_NAMED.items()})
