#!/usr/bin/env python3
"""Makes the fourth edition from the third: its figures as redrawn, its names
as the last blind round chose them, its order as the trial players climb it.

    tools/figures/design/finish.py [DRAWN] [path of trigonet-figures]

DRAWN is the third edition with the figures redrawn for worth, one line for
each line of third-edition.txt and in its order; without it, what fourth.py
makes of fourth-changes.txt: the shipped collection. Run from the repository's root after
building the tool. Writes resources/figures.txt and resources/editions/
redrawn.txt (each figure whose drawing changed: the old drawing, then the
new), so that a game saved with the third edition finds its figures.
"""

import glob
import os
import subprocess
import sys
import tempfile

DESIGN = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(os.path.dirname(DESIGN)))
THIRD = os.path.join(DESIGN, "third-edition.txt")
# Every round of trials: the first two in trials.tsv, each later one in its own
# file, so that a new round counts without a change here.
TRIALS = [os.path.join(DESIGN, "trials", "trials.tsv")] + sorted(
    glob.glob(os.path.join(DESIGN, "trials", "round-*.tsv")))
HEADER = """# The figure collection of Fribo Trigonet, one figure a line:
#   Name: col row orient, col row orient, ... (eight placements, triangle 1 first)
# A placement is a triangle's anchor cell and orientation, exactly as in a record
# of ftrg2.dat, which the build makes from this file (trigonet-figures build).
#
# The fourth edition, made by tools/figures/design/finish.py from the third
# (tools/figures/design/third-edition.txt): figures redrawn where they were not
# worth laying (fourth.py), named as fresh viewers saw them (apply_names.py) and
# ordered as the trial players climbed them (climb.py). Check it with
# `trigonet-figures check`."""


def figure_lines(path):
    with open(path) as f:
        return [line for line in f.read().splitlines()
                if line.strip() and not line.startswith("#") and ":" in line]


def main():
    with tempfile.TemporaryDirectory() as work:
        make(work)


def make(work):
    if len(sys.argv) > 1:
        drawn = sys.argv[1]
    else:
        drawn = os.path.join(work, "fourth.txt")
        subprocess.run([sys.executable, os.path.join(DESIGN, "fourth.py"), drawn], check=True)
    tool = sys.argv[2] if len(sys.argv) > 2 else os.path.join(REPO, "build", "trigonet-figures")
    third, new = figure_lines(THIRD), figure_lines(drawn)
    if len(third) != len(new):
        sys.exit("%s has %d figures, the third edition %d" % (drawn, len(new), len(third)))
    redrawn = []
    for old, now in zip(third, new):
        if old.split(":", 1)[1].split() != now.split(":", 1)[1].split():
            redrawn += [old, now]
    source = os.path.join(work, "drawn.txt")
    with open(source, "w") as f:
        f.write(HEADER + "\n\n# Chapter 1: All (%d figures)\n" % len(new) + "\n".join(new) + "\n")
    named = os.path.join(work, "named.txt")
    subprocess.run([sys.executable, os.path.join(DESIGN, "apply_names.py"), source, named, THIRD],
                   check=True, stderr=subprocess.DEVNULL)
    trials = os.path.join(work, "trials.tsv")
    with open(trials, "w") as out:
        for path in TRIALS:
            if os.path.exists(path):
                with open(path) as f:
                    out.write(f.read())
    # The trials number the third edition's figures, and so does `named`.
    subprocess.run([sys.executable, os.path.join(DESIGN, "climb.py"), named, trials,
                    os.path.join(REPO, "resources", "figures.txt"), tool, THIRD], check=True)
    with open(os.path.join(REPO, "resources", "editions", "redrawn.txt"), "w") as f:
        f.write("# Figures of the shipped collection that an edition redrew, two lines a figure:\n"
                "# its earlier drawing, then the one that replaced it. A saved game that knows a\n"
                "# figure by its earlier shape gives its state to the figure as it is now.\n"
                "# Written by tools/figures/design/finish.py.\n")
        f.write("".join(line + "\n" for line in redrawn))
    print("%d figures redrawn" % (len(redrawn) // 2), file=sys.stderr)


main()
