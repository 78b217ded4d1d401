"""The names the blind rounds give: round 1 judged the second edition's picture
names, rounds 2 to 8 the figures (round 7 also the shapes) grown since (by their pool names)."""

from verdicts_round1 import PASS, RENAME, VERDICTS as ROUND1
from verdicts_round2 import VERDICTS as ROUND2
from verdicts_round3 import VERDICTS as ROUND3
from verdicts_round4 import VERDICTS as ROUND4
from verdicts_round5 import VERDICTS as ROUND5
from verdicts_round6 import VERDICTS as ROUND6
from verdicts_round7 import VERDICTS as ROUND7
from verdicts_round8 import VERDICTS as ROUND8

from themes import THEME_OF, base_name, is_abstract, is_letter


def names_for(name):
    """The names the figure may carry in the third edition, best first; none
    when it leaves. A rename may list every name the viewers agreed on."""
    for verdicts in (ROUND1, ROUND2, ROUND3, ROUND4, ROUND5, ROUND6, ROUND7,
                     ROUND8):
        if name in verdicts:
            verdict, renamed = verdicts[name]
            if verdict == PASS:
                return [name]
            names = [] if renamed is None else \
                [renamed] if isinstance(renamed, str) else list(renamed)
            # A shape the viewers saw nothing in, or only what others are
            # called, keeps its shape name.
            return names + [name] if is_abstract(name) else names
    if is_abstract(name):
        return [name]
    if name.startswith("Pattern ") or name.startswith("Drawn "):
        return []  # grown or drawn and not judged
    return [name]


def weight(name):
    """How much the collection wants a figure: people most, then animals and
    letters, then other pictures."""
    theme = THEME_OF.get(base_name(name))
    if theme == "People":
        return 5
    if theme == "Animals" or is_letter(name):
        return 4
    return 3
