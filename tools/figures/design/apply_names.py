#!/usr/bin/env python3
"""Gives a collection the names the last blind round chose.

    tools/figures/design/apply_names.py SOURCE OUT [THIRD]

Every figure line of SOURCE keeps its place and triangles. A name the viewers
of round 9 did not confirm (blind/verdicts_round9.py) becomes what two of them
saw, or a shape name; one the panel of round 10 did not confirm, what most of
both panels saw (blind/renames_round10.py). A figure drawn otherwise than in
THIRD (the third edition, line for line) is named as the viewers of its new
drawing saw it instead. Last, a name round 12 did not confirm becomes what most
of every viewer of its drawing saw (blind/renames_round12.py), and so again
after every later round that chose names (blind/renames_roundN.py).
A name that passed stays as it is; a new name already
taken gets the next free numeral ("Bird", "Bird II", ...), in the order of the
source. The renames go to standard error.
"""

import importlib
import os
import re
import sys

DESIGN = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, DESIGN)
sys.path.insert(0, os.path.join(DESIGN, "blind"))

from verdicts_round1 import PASS  # noqa: E402
from verdicts_round9 import VERDICTS  # noqa: E402
from renames_round10 import FOURTH_DRAWINGS, SIX_VIEWERS  # noqa: E402
from themes import SERIES, base_name  # noqa: E402

# From round 12 on, each round that chose names leaves blind/renames_roundN.py
# with AFTER_ROUNDN, so that a new round counts without a change here.
FIRST_LATER_ROUND = 12


def later_renames():
    """The renames after each round from FIRST_LATER_ROUND on, the latest first:
    it knows most."""
    found = (re.match(r"renames_round(\d+)\.py$", name)
             for name in os.listdir(os.path.join(DESIGN, "blind")))
    rounds = sorted((int(m.group(1)) for m in found if m and int(m.group(1)) >= FIRST_LATER_ROUND),
                    reverse=True)
    return [getattr(importlib.import_module("renames_round%d" % n), "AFTER_ROUND%d" % n)
            for n in rounds]


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    with open(sys.argv[1]) as f:
        lines = f.read().splitlines()
    figures = [i for i, line in enumerate(lines) if line and not line.startswith("#") and ":" in line]
    names = [lines[i].split(":", 1)[0] for i in figures]
    drawings = [lines[i].split(":", 1)[1].split() for i in figures]
    third = drawings
    if len(sys.argv) == 4:
        with open(sys.argv[3]) as f:
            third = [line.split(":", 1)[1].split() for line in f.read().splitlines()
                     if line and not line.startswith("#") and ":" in line]
        if len(third) != len(drawings):
            sys.exit("%s and %s differ in figures" % (sys.argv[1], sys.argv[3]))
    renamed = {}
    later = later_renames()
    for k, name in enumerate(names):
        latest = next((renames[name] for renames in later if name in renames), None)
        if latest:
            renamed[k] = latest
            continue
        if drawings[k] != third[k]:
            if name in FOURTH_DRAWINGS:
                renamed[k] = base_name(FOURTH_DRAWINGS[name])
            continue
        verdict, new = VERDICTS.get(name, (PASS, None))
        if verdict != PASS and new:
            renamed[k] = new
        if name in SIX_VIEWERS:
            renamed[k] = SIX_VIEWERS[name]
    taken = {name for k, name in enumerate(names) if k not in renamed}
    for k, base in renamed.items():
        new = next(base + mark for mark in SERIES if base + mark not in taken)
        taken.add(new)
        print("%d\t%s\t%s" % (k + 1, names[k], new), file=sys.stderr)
        lines[figures[k]] = new + ":" + lines[figures[k]].split(":", 1)[1]
    with open(sys.argv[2], "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
