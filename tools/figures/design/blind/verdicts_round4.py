"""Round 4 of blind naming: patterns grown on the 45-degree lattice for more
letters and digits. Each figure is named after what at least two of the three
viewers saw; where they agreed on more than one thing, every agreed name is
listed, best first, and the collection takes the first one no other figure
holds. FAIL: no two viewers agreed."""

from verdicts_round1 import FAIL, RENAME

VERDICTS = {
    'Pattern C6 (free, diagonal)': (RENAME, ('Digit 5', 'Lightning')),
    'Pattern C2 (free, diagonal)': (RENAME, ('Letter S', 'Parallelogram')),
    'Pattern C5 (free, diagonal)': (RENAME, ('Letter F', 'Flag')),
    'Pattern C8 (free, diagonal)': (RENAME, ('Boat',)),
    'Pattern C10 (free, diagonal)': (RENAME, ('Letter W', 'Bird')),
    'Pattern C4 (free, diagonal)': (RENAME, ('Boat',)),
    'Pattern C1 (free, square)': (RENAME, ('Letter T', 'Letter F')),
    'Pattern C7 (free, diagonal)': (RENAME, ('Bird',)),
    'Pattern C9 (free, diagonal)': (RENAME, ('Letter W', 'Crown')),
    'Pattern C3 (free, square)': (RENAME, ('Letter L', 'Letter r')),
    'Pattern C11 (free, diagonal)': (RENAME, ('Letter Z', 'Lightning')),
}
