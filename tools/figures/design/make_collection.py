#!/usr/bin/env python3
"""Rebuilds resources/figures.txt from the hand-made figures and grown ones.

    tools/figures/design/make_collection.py [path of trigonet-figures]

Run from the repository's root after building the tool. The hand-made figures
are centred and checked; one that breaks a rule is left out with a note. The
rest of the 222 are grown by `trigonet-figures generate`, named by
names.py, and everything is rated and sorted from easy to hard by
`trigonet-figures order`; chapters.py then groups the figures into chapters by
what they show. Finally the result is checked.
"""

import os
import subprocess
import sys
import tempfile

from chapters import chapters, is_picture
from names import PICTURES, name_grown

TOOL = sys.argv[1] if len(sys.argv) > 1 else "build/trigonet-figures"
DESIGN = os.path.dirname(os.path.abspath(__file__))
SEED = 20261209
TOTAL = 222
GROWN = 480
ODD_GROWN = 52


def run(*args, out=None):
    result = subprocess.run([TOOL, *args], capture_output=True, text=True)
    if result.returncode not in (0, 1):
        sys.exit(result.stderr)
    return result.stdout


def entries(path):
    with open(path) as f:
        return [line.rstrip("\n") for line in f if ":" in line and not line.startswith("#")]


def write(path, lines):
    with open(path, "w") as f:
        f.write("".join(line + "\n" for line in lines))


def problems(work, lines):
    write(os.path.join(work, "all.txt"), lines)
    run("build", os.path.join(work, "all.txt"), os.path.join(work, "all.dat"))
    report = run("check", os.path.join(work, "all.dat"))
    bad = {}
    for line in report.splitlines():
        if line.startswith("figure "):
            bad.setdefault(int(line.split()[1].rstrip(":")), line)
    return bad


def main():
    work = tempfile.mkdtemp()
    hand = subprocess.run([sys.executable, os.path.join(DESIGN, "handmade.py")], check=True,
                          capture_output=True, text=True)
    sys.stderr.write(hand.stderr)
    write(os.path.join(work, "hand.txt"), hand.stdout.splitlines())
    run("centre", os.path.join(work, "hand.txt"), os.path.join(work, "hand-centred.txt"))
    kept = entries(os.path.join(work, "hand-centred.txt"))
    while True:
        bad = problems(work, kept)
        if not bad:
            break
        for number in sorted(bad, reverse=True):
            sys.stderr.write("left out %s: %s\n" % (kept[number - 1].split(":")[0], bad[number]))
            del kept[number - 1]
    write(os.path.join(work, "kept.txt"), kept)
    # Grown in plenty, then taken kind by kind so that the odd lattice, which
    # the hand-made figures hardly use, gets its share.
    grown = run("generate", str(SEED), str(GROWN), os.path.join(work, "kept.txt")).splitlines()
    odd = [line for line in grown if "odd)" in line]
    other = [line for line in grown if "odd)" not in line]
    need = TOTAL - len(kept)
    odd = odd[:ODD_GROWN]
    named = name_grown(odd + other, {line.split(":")[0] for line in kept})
    # Grown pictures before grown shapes, so that a new hand-made figure
    # replaces a shape.
    other = named[len(odd):]
    other = [line for line in other if line.split(":", 1)[1].strip() in PICTURES] + \
        [line for line in other if line.split(":", 1)[1].strip() not in PICTURES]
    grown = named[:len(odd)] + other[:need - len(odd)]
    with open(os.path.join(DESIGN, "figures_header.txt")) as f:
        header = f.read().splitlines()
    write(os.path.join(work, "all.txt"), header + kept + grown)
    table = run("order", os.path.join(work, "all.txt"), os.path.join(work, "ordered.txt"))
    write(os.path.join(work, "order.txt"), table.splitlines())
    generic = {line.split(":")[0] for line in grown} - set(PICTURES.values())
    rows = [row.split("\t") for row in table.splitlines()]
    ordered = entries(os.path.join(work, "ordered.txt"))
    rated = [(float(row[1]), line.split(":")[0], line) for row, line in zip(rows, ordered)]
    text = header[:]
    for number, (title, lines) in enumerate(chapters(rated, generic), 1):
        text += ["", "# Chapter %d: %s (%d figures)" % (number, title, len(lines))] + lines
        print("chapter %d: %s, %d figures" % (number, title, len(lines)), file=sys.stderr)
    write("resources/figures.txt", text)
    run("build", "resources/figures.txt", os.path.join(work, "ftrg2.dat"))
    report = run("check", os.path.join(work, "ftrg2.dat"))
    print(table, end="")
    print(report or "check: every rule holds", file=sys.stderr)
    print("%d hand-made, %d grown" % (len(kept), len(grown)), file=sys.stderr)
    kinds = [row[5] for row in rows]
    print("%d pictures, %d with odd turns, %d mixing square and 45-degree turns"
          % (sum(is_picture(name, generic) for _, name, _ in rated),
             sum("O" in k for k in kinds), sum("S" in k and "D" in k for k in kinds)),
          file=sys.stderr)


main()
