"""Names after round 21. Round 21 was meant as the last panel; its readings
then joined every earlier round's, counted over the drawing rather than its
name, as pool.py prints them (a drawing shown under an old name is the same
drawing). A name the panel failed takes what the viewers of its drawing read
most over rounds 9 to 21, where that thing passed more rounds than the name did
(two of three viewers, six viewers counting as two rounds of three) and no
fewer viewers gave it. A name the panel passed keeps it. Keys are the third
edition's names. Round 22, three viewers more who decide nothing, is the last
panel.
"""

AFTER_ROUND21 = {
    "Balancing person": "Fish",  # was Cat's head II: fish 21, bird 20, cat 12 of 33; passing 7, 6 and 5 of 11
    "Dog": "Gun",  # was Bird XI: gun or pistol 12, dog 10, bird 9 of 33; passing 4, 3 and 2 of 11
    "Letter W II": "Crown",  # crown 23, cat 17, letter W 14 of 33; passing 8, 6 and 5 of 11
    "Person waving": "Letter Y",  # was Letter X: letter Y 16, letter X 15, a person 14 of 33; passing 6, 5 and 5 of 11
}
