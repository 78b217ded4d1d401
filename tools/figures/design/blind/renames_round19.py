"""Names after round 19, a panel of six that chose among new drawings: Bird
redrawn as a head with a beak and no S below it, a bird to all six (its old
drawing a letter S or a lightning bolt to five), and one figure that takes what
the viewers of its drawing read most over every round that showed it, where
that thing passed more rounds than the name did and no fewer viewers gave it.
Keys are the third edition's names. Round 20, three viewers more who decide
nothing, is the last panel.
"""

AFTER_ROUND19 = {
    "Hockey stick II": "Bench",  # bench and hockey stick 15 each of 33, passing 6 and 4 of 11
}
