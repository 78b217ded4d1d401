"""Round 8 of blind naming: things drawn by hand (Drawn T1 to T15;
round-8-intended.txt holds what each was drawn as). Tulip and Christmas
tree read as drawn; the rest are named after what at least two of the three
viewers saw, every agreed name listed, best first."""

from verdicts_round1 import RENAME

VERDICTS = {
    'Drawn T8': (RENAME, ('Letter T', 'Down arrow')),
    'Drawn T6': (RENAME, ('Bowl', 'Boat hull')),
    'Drawn T3': (RENAME, ('Boat', 'Crown')),
    'Drawn T13': (RENAME, ('Shoe',)),
    'Drawn T5': (RENAME, ('Tulip',)),
    'Drawn T7': (RENAME, ('Lightning',)),
    'Drawn T14': (RENAME, ('Letter Y', 'Goblet', 'Tulip')),
    'Drawn T10': (RENAME, ('Bone',)),
    'Drawn T12': (RENAME, ('Flag', 'Pointer')),
    'Drawn T4': (RENAME, ('Letter C', 'Bracket')),
    'Drawn T9': (RENAME, ('Hockey stick',)),
    'Drawn T15': (RENAME, ('Boat', 'Ship')),
    'Drawn T11': (RENAME, ('Cat', 'Bird')),
    'Drawn T1': (RENAME, ('Christmas tree',)),
    'Drawn T2': (RENAME, ('Question mark',)),
}
