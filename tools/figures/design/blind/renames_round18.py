"""Names after round 18, a panel of six that saw every picture as it then
shipped: one figure takes what the viewers of its drawing read most over every
round that showed it, where that thing passed more rounds than the name did
and more viewers gave it (six viewers counting as two rounds of three). Keys
are the third edition's names.
"""

AFTER_ROUND18 = {
    "Flower": "Rabbit",  # was Fox: rabbit 6, fox 5, horse 5, cat 4 of 18, passing 2 and 1 of 6
}
