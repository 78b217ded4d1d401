#!/usr/bin/env python3
"""Writes the fourth edition's figures: the third edition with the changes chosen.

    fourth.py [THIRD [CHANGES]] OUT

THIRD defaults to third-edition.txt beside this script, CHANGES to
fourth-changes.txt beside it; OUT is in the third edition's order, which only
finish.py turns into the shipped collection. A change is one line

    NUMBER  Name: col row orient, ... (eight placements)  -- why

and takes the place of the figure with that number (1 first, in source order),
which must bear the same name: the names, their order and the chapters stay
the third edition's, so a change can only move triangles. Lines starting with
'#' and blank lines in CHANGES are notes. The header and chapter lines of THIRD
are kept as they are; run `trigonet-figures worth` and `check` on what it writes.
"""

import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def figure_name(line):
    return line.split(":", 1)[0].strip()


def read_changes(path):
    with open(path, encoding="utf-8") as f:
        return changes_in(f, path)


def changes_in(lines, path):
    """The changes of LINES, keyed by figure number; PATH names them in errors."""
    changes = {}
    for number, raw in enumerate(lines, 1):
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        m = re.match(r"(\d+)\s+(.+?:\s*[-\d ,]+?)\s*(?:--\s*(.*))?$", line)
        if not m:
            sys.exit(f"{path}:{number}: not NUMBER Name: placements -- why")
        figure = int(m.group(1))
        if figure in changes:
            sys.exit(f"{path}:{number}: figure {figure} is changed twice")
        placements = m.group(2).split(":", 1)[1].split(",")
        if len(placements) != 8 or any(len(p.split()) != 3 for p in placements):
            sys.exit(f"{path}:{number}: figure {figure} needs eight placements of three numbers")
        changes[figure] = m.group(2)
    return changes


def main():
    if len(sys.argv) not in (2, 4):
        sys.exit(__doc__)
    third = sys.argv[1] if len(sys.argv) > 2 else os.path.join(HERE, "third-edition.txt")
    changes_path = sys.argv[2] if len(sys.argv) > 2 else os.path.join(HERE, "fourth-changes.txt")
    out = sys.argv[-1]
    changes = read_changes(changes_path)
    lines, figure = [], 0
    for raw in open(third, encoding="utf-8"):
        line = raw.rstrip("\n")
        if line and not line.startswith("#"):
            figure += 1
            if figure in changes:
                if figure_name(changes[figure]) != figure_name(line):
                    sys.exit(f"figure {figure} is {figure_name(line)!r}, "
                             f"not {figure_name(changes[figure])!r}")
                line = changes.pop(figure)
        lines.append(line)
    if changes:
        sys.exit(f"no figure numbered {', '.join(map(str, sorted(changes)))}")
    with open(out, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
