#!/usr/bin/env python3
"""Puts a collection into an order that climbs, by the reading measure fitted to the trials.

    tools/figures/design/climb.py SOURCE TRIALS OUT [path of trigonet-figures [PLAYED]]

Run from the repository's root after building the tool. Every figure is rated
by `trigonet-figures reading SOURCE TRIALS - PLAYED` (its last column: the
weights fitted on every figure the trial players laid, as PLAYED drew it when
SOURCE has redrawn some since; the trials number PLAYED's figures, line for
line with SOURCE's), drawn towards the mean of its own trials where players
laid it as it is drawn now, and the chapters are laid out
so that the game climbs from the first figure to the last:

- the first chapter teaches: the easiest figures of square turns, then the two
  easiest of each other kind of turn, so that each kind is met first in two
  easy figures of its own before a hard one;
- the last chapter holds the twenty hardest;
- in between, chapters of about twenty-four: the figures on the measure's
  floor are dealt out to every chapter and the rest cut by effort, then
  figures are swapped between chapters until every median rises and no chapter
  opens below the lower quartile before it; within a chapter the figures run
  from easy to hard;
- a third figure of one kind in a row gives way to the easiest of another kind
  that is nearly as easy.

A chapter is named after the theme most of its figures show, numbered when a
theme comes back higher up ("People II"). The table of chapters (size, median,
opener, lower quartile, kinds) goes to standard error, with every goal that
does not hold.
"""

import os
import subprocess
import sys
from collections import Counter

DESIGN = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, DESIGN)

from make_collection import kinds, median  # noqa: E402
from themes import chapter_of  # noqa: E402
from trial_records import trial_actions  # noqa: E402

LESSONS = 10
LESSON_SQUARE = 4
LESSON_EACH = 2
MASTERPIECES = 20
# The measure rates the figures on some twenty steps only: chapters of twelve
# would share medians, as would any order, where chapters of about twenty-four
# climb.
CHAPTER_SIZE = 24
# Efforts this close are one to a player: the trials' own spread is wider.
NEAR = 8
# The measure holds its ground against a figure's trials as so many trials of
# its own: a figure the players found easy or hard moves that way, the more the
# more of them laid it.
MEASURE_AS_TRIALS = 3
# Starts of the random search for chapters that climb.
SEEDS = 6
ROMAN = ["", " II", " III", " IV", " V", " VI", " VII", " VIII", " IX", " X", " XI", " XII"]


def kind(body):
    return {"S": "square", "SD": "square+45", "D": "45"}.get(kinds(body), "odd")


def quartile(values):
    values = sorted(values)
    return values[(len(values) - 1) // 4]


def rate(tool, source, trials, played):
    result = subprocess.run([tool, "reading", source, trials, "-", played], capture_output=True,
                            text=True)
    if result.returncode != 0:
        sys.exit(result.stderr)
    rows = [row.split("\t") for row in result.stdout.splitlines()]
    rows = [fields for fields in rows if fields[0].isdigit() and len(fields) > 10]
    # Square figures all rate alike, and no figure the players laid was easier
    # than they were: the fit's straight line runs below them only where no
    # trial was, for mixed figures of short outlines. Those rate as square ones.
    floor = min((float(f[10]) for f in rows if f[8] == "8"), default=0)
    return [round(max(float(fields[10]), floor), 1) for fields in rows]


def lay_out(figures):
    """figures: dicts with effort, kind -> chapters, each a list of figures."""
    # Among figures the measure rates alike, those the players laid quickest
    # come first, and those nobody tried after them.
    easy = sorted(figures, key=lambda f: (f["effort"], f["tried"]))
    # The easiest ten, with the fewest of each kind they need: a kind short of
    # its share takes the place of the hardest lesson of a kind that has more.
    lessons = easy[:LESSONS]
    for k, least in (("square", LESSON_SQUARE), ("square+45", LESSON_EACH), ("45", LESSON_EACH),
                     ("odd", LESSON_EACH)):
        while sum(f["kind"] == k for f in lessons) < least:
            spare = [f for f in lessons if sum(g["kind"] == f["kind"] for g in lessons) >
                     (LESSON_SQUARE if f["kind"] == "square" else LESSON_EACH)]
            lessons.remove(max(spare, key=lambda f: f["effort"]))
            lessons.append(next(f for f in easy if f["kind"] == k and f not in lessons))
    # Square turns first, as the game is taught, then each kind twice.
    pattern = ["square", "square", "square+45", "square", "square", "square+45", "45", "odd",
               "45", "odd"]
    by_kind = {k: sorted((f for f in lessons if f["kind"] == k), key=lambda f: f["effort"])
               for k in set(pattern)}
    lessons = [by_kind[k].pop(0) for k in pattern if by_kind[k]] + \
        sorted((f for k in by_kind for f in by_kind[k]), key=lambda f: f["effort"])
    rest = [f for f in easy if f not in lessons]
    hardest = rest[-MASTERPIECES:]
    middle = rest[:-MASTERPIECES]
    count = max(1, round(len(middle) / CHAPTER_SIZE))
    return [lessons] + settle(middle, count, lessons) + [hardest]


def misses(chapters, before):
    """How far a run of chapters (each easy to hard) is from the goals: every
    median rising, no opener below the lower quartile before it, no three of
    one kind in a row."""
    missed = 0
    for members in chapters:
        values = [f["effort"] for f in members]
        if median(values) <= median(before) + 1e-9:
            missed += 10
        if min(values) < quartile(before) - 1e-9:
            missed += 10
        missed += 3 * sum(members[i]["kind"] == members[i - 1]["kind"] == members[i - 2]["kind"]
                          for i in range(2, len(members)))
        before = values
    return missed


def settle(middle, count, lessons):
    """The middle figures in `count` chapters that climb. The measure rates many
    figures alike (every square figure on one floor, mixed ones in steps of
    one outline leg), so chapters cut by effort alone would share medians:
    from that cut, figures are swapped between neighbouring chapters while the
    goals are missed less, and a swap that moves a figure far from its rank
    costs a little, so the game still runs from easy to hard."""
    easy = sorted(middle, key=lambda f: (f["effort"], f["at"]))
    # The search is a random one: a few starts, and the one that climbs best.
    return min((search(easy, count, lessons, seed) for seed in range(SEEDS)),
               key=lambda found: found[0])[1]


def search(easy, count, lessons, seed):
    import random
    rnd = random.Random(seed)
    rank = {id(f): i * count / len(easy) for i, f in enumerate(easy)}
    # The start: the figures on the floor dealt out to every chapter, the rest
    # cut by effort into as many slices.
    # The floor is where most figures rate alike; a figure its trials drew a
    # little below it is dealt out with it.
    floor_effort = Counter(f["effort"] for f in easy).most_common(1)[0][0]
    floor = [f for f in easy if f["effort"] <= floor_effort]
    above = easy[len(floor):]
    chapters = [floor[c::count] for c in range(count)]
    for c in range(count):
        chapters[c] += above[len(above) * c // count:len(above) * (c + 1) // count]
    for f in floor:
        rank[id(f)] = next(c for c in range(count) if f in chapters[c])
    before = [f["effort"] for f in lessons]

    def cost(chs):
        laid = [easy_to_hard(m) for m in chs]
        drift = sum(abs(c - rank[id(f)]) for c, m in enumerate(chs) for f in m)
        return misses(laid, before) + 0.05 * drift

    best = cost(chapters)
    for _ in range(20000):
        a = rnd.randrange(count)
        b = min(count - 1, max(0, a + rnd.choice((-2, -1, 1, 2))))
        if a == b:
            continue
        i, j = rnd.randrange(len(chapters[a])), rnd.randrange(len(chapters[b]))
        chapters[a][i], chapters[b][j] = chapters[b][j], chapters[a][i]
        now = cost(chapters)
        if now <= best:
            best = now
        else:
            chapters[a][i], chapters[b][j] = chapters[b][j], chapters[a][i]
    return best, [easy_to_hard(m) for m in chapters]


def easy_to_hard(members):
    """By effort, except that a third of one kind in a row gives way to the
    easiest of another kind within NEAR of the easiest left."""
    left = sorted(members, key=lambda f: f["effort"])
    out = []
    while left:
        pick = 0
        if len(out) >= 2 and out[-1]["kind"] == out[-2]["kind"] == left[0]["kind"]:
            other = [i for i, f in enumerate(left)
                     if f["kind"] != out[-1]["kind"] and f["effort"] <= left[0]["effort"] + NEAR]
            pick = other[0] if other else 0
        out.append(left.pop(pick))
    return out


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    source, trials, target = sys.argv[1:4]
    tool = sys.argv[4] if len(sys.argv) > 4 else "build/trigonet-figures"
    played = sys.argv[5] if len(sys.argv) > 5 else source
    with open(source) as f:
        lines = f.read().splitlines()
    header = []
    for line in lines:
        if line.startswith("# Chapter"):
            break
        header.append(line)
    while header and not header[-1].strip():
        header.pop()
    entries = [line for line in lines if ":" in line and not line.startswith("#")]
    efforts = rate(tool, source, trials, played)
    with open(played) as f:
        drawn_then = [line.split(":", 1)[1].split() for line in f.read().splitlines()
                      if ":" in line and not line.startswith("#")]
    if len(efforts) != len(entries):
        sys.exit("the tool rated %d figures of %d" % (len(efforts), len(entries)))
    laid = trial_actions(trials)
    figures = []
    for at, (line, effort) in enumerate(zip(entries, efforts)):
        name, body = line.split(":", 1)
        # What the players took for a drawing that is no more says nothing.
        actions = laid.get(at + 1, []) if drawn_then[at] == body.split() else []
        figures.append({"name": name.strip(), "at": at, "line": line, "kind": kind(body),
                        "effort": round((sum(actions) + MEASURE_AS_TRIALS * effort) /
                                        (len(actions) + MEASURE_AS_TRIALS), 1),
                        "tried": sum(actions) / len(actions) if actions else float("inf")})

    chapters = lay_out(figures)
    text, seen, problems = header, Counter(), []
    before = None
    for at, members in enumerate(chapters, 1):
        if at == 1:
            title = "First steps"
        elif at == len(chapters):
            title = "Masterpieces"
        else:
            theme = Counter(chapter_of(f["name"], "S") for f in members).most_common(1)[0][0]
            seen[theme] += 1
            title = theme + ROMAN[min(seen[theme], len(ROMAN)) - 1]
        text += ["", "# Chapter %d: %s (%d figures)" % (at, title, len(members))]
        text += [f["line"] for f in members]
        values = [f["effort"] for f in members]
        kinds = Counter(f["kind"] for f in members)
        print("%2d %-30s %3d  median %6.1f  opens %6.1f  lower quartile %6.1f  %s" %
              (at, title, len(members), median(values), values[0], quartile(values),
               " ".join("%s %d" % kv for kv in sorted(kinds.items()))), file=sys.stderr)
        if before is not None:
            if median(values) <= median(before):
                problems.append("chapter %d's median does not rise" % at)
            if min(values) < quartile(before):
                problems.append("chapter %d opens below the lower quartile before it" % at)
        for i in range(2, len(members)):
            if members[i]["kind"] == members[i - 1]["kind"] == members[i - 2]["kind"]:
                problems.append("chapter %d: three %s in a row from %s" %
                                (at, members[i]["kind"], members[i - 2]["name"]))
                break
        before = values
    for problem in problems:
        print("goal missed: " + problem, file=sys.stderr)
    with open(target, "w") as f:
        f.write("\n".join(text) + "\n")


main()
