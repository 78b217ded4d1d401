"""Round 6 of blind naming: letters, digits and animals drawn by hand (Drawn
A1 to A18; round-6-intended.txt holds what each was drawn as) and patterns
grown since round 5. Named as in round 5: after what at least two of the
three viewers saw, every agreed name listed, best first."""

from verdicts_round1 import RENAME

VERDICTS = {
    'Drawn A8': (RENAME, ('Bowl', 'Letter U')),
    'Drawn A9': (RENAME, ('Digit 1', 'Letter I')),
    'Drawn A5': (RENAME, ('Ring', 'Diamond ring')),
    'Pattern S203-17 (free, square and diagonal)': (RENAME, ('Boot', 'Chair')),
    'Pattern S203-13 (free, square and diagonal)': (RENAME, ('Digit 7', 'Flag')),
    'Drawn A14': (RENAME, ('Letter V', 'Funnel')),
    'Pattern S203-1 (free, square)': (RENAME, ('Left arrow', 'Fish')),
    'Drawn A11': (RENAME, ('Digit 7',)),
    'Drawn A13': (RENAME, ("Cat's head", 'Fox head', 'Cat face')),
    'Drawn A6': (RENAME, ('Right arrow', 'House on its side')),
    'Drawn A16': (RENAME, ('Letter X', 'Bow tie')),
    'Pattern S203-3 (free, square and diagonal)': (RENAME, ('Up-left arrow', 'Arrow')),
    'Drawn A15': (RENAME, ('Bat', 'Flying bird', 'Bird in flight')),
    'Pattern S203-12 (free, diagonal)': (RENAME, ('Letter F', 'Flag')),
    'Pattern S203-10 (free, diagonal)': (RENAME, ('Bench', 'Upside-down crown')),
    'Pattern S203-9 (free, square and diagonal)': (RENAME, ('Letter Z', 'Steps', 'Stairs')),
    'Pattern S203-18 (free, diagonal)': (RENAME, ('Bracket', 'Letter J')),
    'Drawn A1': (RENAME, ('Roof', 'Arch')),
    'Drawn A3': (RENAME, ('Letter K',)),
    'Pattern S203-16 (free, diagonal)': (RENAME, ('Step', 'Letter Z')),
    'Drawn A17': (RENAME, ('Letter Y',)),
    'Pattern S203-6 (free, diagonal)': (RENAME, ('U-turn arrow', 'Hook')),
    'Pattern S203-11 (free, square and diagonal)': (RENAME, ('Right arrow', 'Fish')),
    'Pattern S203-8 (free, diagonal)': (RENAME, ('Bird', 'Aeroplane')),
    'Drawn A4': (RENAME, ('Letter N', 'Letter M')),
    'Pattern S203-14 (free, diagonal)': (RENAME, ('Digit 7',)),
    'Drawn A10': (RENAME, ('Letter Z',)),
    'Drawn A7': (RENAME, ('Letter T',)),
    'Pattern S203-5 (free, square and diagonal)': (RENAME, ('Hockey stick', 'Digit 7')),
    'Pattern S203-19 (free, square and diagonal)': (RENAME, ('Letter J', 'Boot')),
    'Drawn A12': (RENAME, ('Fish', 'Left arrow')),
    'Drawn A18': (RENAME, ('Letter J', 'Digit 1')),
    'Pattern S203-15 (free, square and diagonal)': (RENAME, ('Bird',)),
    'Pattern S203-4 (free, diagonal)': (RENAME, ('Bird', 'Lightning', 'Digit 7')),
    'Pattern S203-7 (free, square and diagonal)': (RENAME, ('Envelope', 'Fish')),
    'Drawn A2': (RENAME, ('Letter F', 'Letter K')),
    'Pattern S203-2 (free, diagonal)': (RENAME, ('Roof',)),
}
