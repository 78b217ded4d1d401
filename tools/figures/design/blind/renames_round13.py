"""Names after round 13: where every viewer of a drawing so far (rounds 9 to
13) read one other thing at least two readings more often than its name, the
figure takes that name. Keys are the third edition's names. Round 13 so
decided names, and round 14, three viewers more, is the last panel.
"""

AFTER_ROUND13 = {
    "Duck": "Letter L",  # was Boot III: letter L 9, boot 7
    "Digit 5": "Lightning bolt",  # was Letter S IV: lightning bolt 9, letter S 7
    "Cup": "Funnel",  # was Cat face: funnel 5, cat face 3
    "Knife": "Knife",  # was Digit 1: knife, sword or blade 10, number 1 6
    "Ship": "Flag",  # was Left arrow III: flag 4, arrow 2
    "Letter Z II": "Zigzag",  # was Wave II: zigzag 6, wave 4
    "Corner arrow": "Arrow",  # was Chair: arrow 6, chair 4
    "Pistol": "Comb",  # was Table VI: comb 8, table 5
    "Envelope": "Boat",  # was Shoe: boat or ship 9, shoe 6
    "Goldfish": "Bird",  # was Snail: bird head 4, snail 2
    "Goblet": "Letter Y",  # was Goblet: letter Y 10, cup or goblet 7
    "Pencil tip": "Letter E",  # was House III: letter E 4, house 1
}
