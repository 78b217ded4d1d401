"""Names after round 16: four figures take what the viewers of their drawing
read most over every round that showed it, where that thing passed more rounds
than the name did. Keys are the third edition's names. Round 16 so decided
names, as did rounds 17 to 19 after it.
"""

AFTER_ROUND16 = {
    "Bolt": "Arrow",  # was Bird VII: an arrow to all 15 viewers of rounds 12 to 16, a bird to 11
    "Car II": "Comb",  # was Table VII: comb 11, table 8 of 12
    "Stick": "Knife",  # was Plank: knife or blade 14, plank 10 of 18
    "Bat": "Crown",  # crown 13, bat 11 of 18
}
