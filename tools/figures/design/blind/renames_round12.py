"""Names after round 12: a name that round's three fresh viewers did not
confirm became what most of every viewer who saw the same drawing read in it
(rounds 9 to 12, six to twelve readings), when more of them read that than
the name. Keys are the third edition's names; the comment gives the name
round 12 saw. Round 12 so decided names.
"""

AFTER_ROUND12 = {
    "Tulip": "Tulip",  # was Cup
    "Knife": "Digit 1",  # was Knife
    "Duck II": "Boot",  # was Duck II
    "Step II": "Hook",  # was Letter J
    "Letter Z": "Stairs",  # was Letter Z
    "Corner arrow": "Chair",  # was Box
    "Letter K": "Letter K",  # was Letter E
    "Letter S": "Letter S",  # was Pipe
    "Letter W II": "Letter W",  # was Crown
    "Cross": "Bottle",  # was Diamond on a stick
    "Roof III": "Roof",  # was Mountain
    "Stick": "Plank",  # was Blade
    "Person waving": "Letter X",  # was Person waving
    "Arrowhead": "Bird",  # was Fish II
    "Letter B": "Arrow",  # was Leaf
    "Cheering person": "Wrench",  # was Tulip
    "Running person": "Bird",  # was Letter S II
    "Flower": "Horse",  # was Rabbit
    "Car": "Boat",  # was Car
    "Anvil": "Table",  # was Anvil
    "Star jump": "Double arrow",  # was Mushroom
    "Space rocket": "Bird",  # was Running person
    "Jewel": "Cat's head",  # was Owl
    "Bowl": "Crown",  # was Bat
    "Person reaching": "Tree",  # was Person waving II
    "Megaphone": "Megaphone",  # was Tap
    "Digit 1": "Flag",  # was Feather
    "Boat hull": "Fish",  # was Boat III
    "Question mark": "Mushroom",  # was Umbrella
}
