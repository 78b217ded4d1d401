"""Names after round 15: three figures redrawn to read as what its viewers saw
(or as their letter), and four that take what every viewer of their drawing
read most over rounds 9 to 15, where round 15 agreed with it. Keys are the
third edition's names. Round 15 so decided names, and round 16, three viewers
more, is the last panel.
"""

AFTER_ROUND15 = {
    # Redrawn.
    "Letter K": "Left arrow",  # all three of round 15 saw a left arrow
    "Italic L": "Letter L",  # now an upright block L
    "Bowl II": "Boat",  # was Bathtub; all three of round 15 saw a boat, now a hull with a sail
    # Read most often as something else.
    "Letter S": "Stairs",  # stairs or steps 13, letter S 11 of 18
    "Sailboat": "Sail",  # sail 10 and sailboat 3, flag 8 of 18
    "Cat's head II": "Fox head",  # fox head 14, cat head 6 of 18
    "Flower": "Fox",  # was Rabbit: rabbit 6, horse head 6, fox 5 of 15; all three of round 15 saw a fox
}
