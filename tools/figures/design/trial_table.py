#!/usr/bin/env python3
"""The trial table: every figure the trial players laid, with its players and effort.

    tools/figures/design/trial_table.py TRIALS.tsv [MORE.tsv ...]

Figures are numbered as the trials number them (third-edition.txt) and shown
with their number and name in today's collection (resources/figures.txt),
found by their drawing or through resources/editions/redrawn.txt. Effort is
counted as `trigonet-figures reading` counts it: mean actions, a give-up as
120 at least, a give-up before any action left out.
"""

import os
import sys

from trial_records import counted_trials

DESIGN = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(os.path.dirname(DESIGN)))


def figure_lines(path):
    with open(path) as f:
        return [line for line in f.read().splitlines()
                if line.strip() and not line.startswith("#") and ":" in line]


def body(line):
    return tuple(line.split(":", 1)[1].split())


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    third = figure_lines(os.path.join(DESIGN, "third-edition.txt"))
    today = figure_lines(os.path.join(REPO, "resources", "figures.txt"))
    redrawn = figure_lines(os.path.join(REPO, "resources", "editions", "redrawn.txt"))
    now = {body(redrawn[i]): body(redrawn[i + 1]) for i in range(0, len(redrawn) - 1, 2)}
    where = {body(line): (i + 1, line.split(":", 1)[0]) for i, line in enumerate(today)}
    trials = {}
    for path in sys.argv[1:]:
        for figure, player, outcome, actions in counted_trials(path):
            trials.setdefault(figure, []).append((player, outcome, actions))
    print("| Trial no. | Now | Name now | Trials | Players | Given up | Effort |")
    print("|---|---|---|---|---|---|---|")
    for figure in sorted(trials):
        drawing = body(third[figure - 1])
        number, name = where.get(now.get(drawing, drawing), ("-", "(not in the collection)"))
        rows = trials[figure]
        print("| %d | %s | %s | %d | %s | %d | %.1f |" % (
            figure, number, name, len(rows), " ".join(sorted({p for p, _, _ in rows})),
            sum(o == "gaveup" for _, o, _ in rows), sum(a for _, _, a in rows) / len(rows)))
    counts = [len(v) for v in trials.values()]
    print("\n%d trials on %d figures, %d of them with three or more." % (
        sum(counts), len(counts), sum(c >= 3 for c in counts)))


main()
