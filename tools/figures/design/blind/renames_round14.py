"""Names after round 14: what every viewer of a drawing so far (rounds 9 to 14,
12 to 18 readings) read most, where that was not its name; and honest shape
names for twelve figures whose readings scatter over three things or more, so
that no one picture name fits them. Keys are the third edition's names. Round
14 so decided names; round 15, three viewers more, decided a few more
(renames_round15.py), and round 16 is the last panel.
"""

AFTER_ROUND14 = {
    # Read most often as something else.
    "Knife II": "Boomerang",  # was Feather: boomerang 8, blade 6, feather 5 of 15
    "Person walking": "Sail",  # was Shark fin: sail 10, shark fin 6
    "Ankle boot": "Boot",  # was Bird V: boot 6, letter L 4, bird 3 of 12
    "Flower": "Rabbit",  # was Horse: rabbit 6, horse 5
    "Flying bird II": "Letter W",  # was Crown III: letter W 7, crown 5
    "Bowl II": "Bathtub",  # was Boat III: bathtub 10, boat 7
    "Knife": "Sword",  # was Knife: sword or blade 8, knife 4
    "Arrowhead": "Fish",  # was Bird IX: fish 12, bird 9
    "Balancing person": "Bird",  # was Fish: bird 12, fish 10 of 12
    "Hourglass": "Hourglass",  # was Bone: hourglass 12, bone 11
    "Letter Z": "Letter Z",  # was Stairs II: letter Z 13, stairs or steps 8
    "Digit 1 II": "Walking stick",  # walking stick or cane 12, number 1 8
    "Tree": "Up arrow",  # arrow pointing up 15, tree 10
    "Heart": "Shield",  # was Gem II: shield 14, gem 10
    # Readings that scatter: shape names.
    "Chair II": "Notched zigzag",  # was Letter L: letter Z 4, letter L 4, chair 3, letter S 3
    "Step II": "Bent bar",  # was Hook: hook 6, musical note 6, letter J 5
    "Flag": "Notched block",  # was Flag III: boot 6, flag 5, chair 3
    "Sitting person II": "Angled stem",  # was Branch: letter Y 6, letter L 6, branch 5
    "Digit 2": "Slanted zigzag",  # was Snake: snake 5, letter S 5, seahorse 3
    "Ship": "Canted wedge",  # was Flag VI: flag 4, arrow 3, bird head 3
    "Pencil tip": "Cut block",  # was Letter E: letter E 4, house 3, boot 3
    "Person reaching": "Tilted cross",  # was Tree II: tree 4, bird 4, arrow 3
    "Step": "Bent bar",  # was Bench: bench 8, pipe 5, gun 4 of 18
    "Cross": "Faceted column",  # was Bottle II: bottle 8, spinning top 6, cross 3
    "Person with open arms": "Split spikes",  # was Candle: flame 3, fish 3, candle 2
    "Pencil": "Angled fork",  # was Branch II: letter Y 4, letter K 3, bird 2
}
