"""The names the blind rounds give: round 1 judged the second edition's picture
names, round 2 the figures drawn or grown since (by their pool names)."""

from verdicts_round1 import PASS, RENAME, VERDICTS as ROUND1

try:
    from verdicts_round2 import VERDICTS as ROUND2
except ImportError:
    ROUND2 = {}

from themes import THEME_OF, is_abstract, is_letter


def final_name(name):
    """The figure's name in the third edition, or None when it leaves."""
    for verdicts in (ROUND1, ROUND2):
        if name in verdicts:
            verdict, renamed = verdicts[name]
            return name if verdict == PASS else renamed
    if is_abstract(name):
        return name
    if name.startswith("Pattern "):
        return None  # grown for round 2 and not judged
    return name


def weight(name):
    """How much the collection wants a figure: people most, then animals and
    letters, then other pictures."""
    theme = THEME_OF.get(name)
    if theme == "People":
        return 5
    if theme == "Animals" or is_letter(name):
        return 4
    return 3
