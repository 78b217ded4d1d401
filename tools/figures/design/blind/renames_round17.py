"""Names after round 17, a panel of six that chose among new drawings: two
figures redrawn as its viewers read them, and three that take what the viewers
of their drawing read most over every round that showed it, where that thing
passed more rounds than the name did (six viewers counting as two rounds of
three). Keys are the third edition's names.
"""

AFTER_ROUND17 = {
    # Redrawn: a left arrow with a shaft to five of six (was Left arrow IV, a flag to five);
    # a person mid-stride to five (Walking man was a boot, pistol or signpost).
    "Right arrow": "Left arrow",
    # Read most often as something else.
    "Balancing person": "Cat's head",  # was Bird II: cat 12, bird 11, fish 10 of 21, cat passing 5 of 7 rounds, bird 3
    "Knife II": "Blade",  # was Boomerang IV: blade or knife 16, boomerang 12 of 27, passing 6 and 4 of 9
    "Goblet": "Goblet",  # was Letter Y: goblet or cup 22, letter Y 19 of 27, passing 8 and 5 of 9
}
