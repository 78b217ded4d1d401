#!/usr/bin/env python3
"""Rebuilds resources/figures.txt, the third edition, from the pool of figures.

    tools/figures/design/make_collection.py [path of trigonet-figures]

Run from the repository's root after building the tool. The pool
(design/pool.txt) holds every candidate under the name it had when it was
drawn or grown: the second edition's 222 and the figures grown for it since.
The blind-naming rounds (design/blind/) decide the names: a picture name stays
only where two of three viewers saw it, a figure they agreed on otherwise is
named after what they saw, and the rest get an honest shape name or leave.

Then the figures are chosen so that no two share 7 of 8 triangles or most of
their outline (`trigonet-figures alike`), pictures before shapes and at most
MAX_ABSTRACT shapes; ordered by the simulated player (`trigonet-figures
order`); and grouped into chapters by theme, each from easy to hard, the
chapters by their median effort, with the easiest figures as the first
lessons (one of each kind of turn among them) and the twenty hardest last.
"""

import os
import random
import subprocess
import sys
import tempfile

DESIGN = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(DESIGN, "blind"))

from names import name_grown  # noqa: E402
from themes import SERIES, base_name, chapter_of, is_abstract  # noqa: E402
import verdicts  # noqa: E402

TOOL = sys.argv[1] if len(sys.argv) > 1 else "build/trigonet-figures"
TOTAL = 222
MAX_ABSTRACT = 30
LESSONS = 10
MASTERPIECES = 20
TEACH_BY = 60
TRIES = 100
CLASSICS = {"Square", "House", "Arrow", "Fish", "Cross", "Sailing boat", "Four-pointed star",
            "Castle", "Letter C", "Digit 7"}


def run(*args):
    result = subprocess.run([TOOL, *args], capture_output=True, text=True)
    if result.returncode not in (0, 1):
        sys.exit(result.stderr)
    return result.stdout


def entries(path):
    with open(path) as f:
        return [line.rstrip("\n").split(":", 1) for line in f
                if ":" in line and not line.startswith("#")]


def write(path, lines):
    with open(path, "w") as f:
        f.write("".join(line + "\n" for line in lines))


def kinds(body):
    orients = [int(p.split()[2]) for p in body.split(",")]
    return ("S" if any(o % 4 == 0 for o in orients) else "") + \
        ("D" if any(o % 4 == 2 for o in orients) else "") + \
        ("O" if any(o % 2 == 1 for o in orients) else "")


def median(values):
    values = sorted(values)
    middle = len(values) // 2
    return values[middle] if len(values) % 2 else (values[middle - 1] + values[middle]) / 2


def choose(pool, work):
    """Figures by priority, none near a figure chosen before it."""
    write(os.path.join(work, "pool.txt"), ["%s: %s" % (n, b.strip()) for n, b in pool])
    conflicts, same = {}, {}
    for line in run("alike", os.path.join(work, "pool.txt")).splitlines():
        fields = line.split("\t")
        a, b = int(fields[0]) - 1, int(fields[1]) - 1
        conflicts.setdefault(a, set()).add(b)
        conflicts.setdefault(b, set()).add(a)
        if fields[4] == "same":
            same.setdefault(a, set()).add(b)
            same.setdefault(b, set()).add(a)

    # Figures of the odd turns first: few pictures use them, and a collection
    # without them would leave the player's finest turns unused. A second or
    # third picture of one thing only where no other will do.
    tiers = [(is_abstract(name), "O" not in kinds(body), base_name(name) != name,
              -verdicts.weight(name)) for name, body in pool]

    def free_of_near_copies(rnd):
        """Classics first, then tier by tier the figure that rules out the fewest
        others still open (ties broken by `rnd`); shapes up to MAX_ABSTRACT."""
        alive, chosen, abstract = set(range(len(pool))), [], 0

        def take(i):
            nonlocal abstract
            chosen.append(i)
            abstract += tiers[i][0]
            alive.difference_update(conflicts.get(i, set()) | {i})

        for i, (name, _) in enumerate(pool):
            if name in CLASSICS and i in alive:
                take(i)
        for level in sorted({tiers[i] for i in alive}):
            while len(chosen) < TOTAL and not (level[0] and abstract >= MAX_ABSTRACT):
                open_here = [i for i in alive if tiers[i] == level]
                if not open_here:
                    break
                fewest = min(len(conflicts.get(i, set()) & alive) for i in open_here)
                take(rnd.choice(sorted(i for i in open_here
                                       if len(conflicts.get(i, set()) & alive) == fewest)))
        return chosen

    # The greedy choice depends much on its ties: keep the best of many tries.
    def score(chosen):
        return (sum(not is_abstract(pool[i][0]) for i in chosen), len(chosen))

    chosen = max((free_of_near_copies(random.Random(seed)) for seed in range(TRIES)), key=score)
    if len(chosen) < TOTAL:
        sys.stderr.write("only %d figures free of near copies; the rest break rule 9 or 10\n"
                         % len(chosen))
    # The rest, one at a time: the figure that adds the fewest near pairs.
    added = {i: len(conflicts.get(i, set()) & set(chosen)) for i in range(len(pool))}
    while len(chosen) < TOTAL:
        open_now = [i for i in range(len(pool)) if i not in chosen
                    and not same.get(i, set()) & set(chosen)]  # one region twice breaks rule 5
        best = min(open_now, key=lambda i: (added[i], is_abstract(pool[i][0]), i))
        chosen.append(best)
        for j in conflicts.get(best, set()):
            added[j] += 1
    abstract = sum(is_abstract(pool[i][0]) for i in chosen)
    return [pool[i] for i in sorted(chosen)], abstract


def named_pool():
    """Every figure of the pool under the name the blind rounds give it, as
    (name, body); grown figures nobody named keep a shape name."""
    pool, unnamed, taken = [], [], set()
    # A figure takes the first name the viewers gave it that no figure before
    # it holds, a picture seen three times becoming a series; one whose every
    # name is taken is left as a shape. Figures that keep their own name choose
    # first, so a rename never takes a name from the figure that earned it.
    found = entries(os.path.join(DESIGN, "pool.txt"))
    names = [verdicts.names_for(name.strip()) for name, _ in found]
    keeps = [names[i][:1] == [found[i][0].strip()] for i in range(len(found))]
    for i in sorted(range(len(found)), key=lambda i: (not keeps[i], i)):
        name, body = found[i]
        free = [n + mark for n in names[i] for mark in (SERIES if not is_abstract(n) else [""])
                if n + mark not in taken]
        if free:
            pool.append((free[0], body))
            taken.add(free[0])
        elif name.startswith("Pattern "):
            unnamed.append("%s:%s" % (name, body))
    # Grown figures the viewers did not agree on keep a name that says only
    # their lattice and symmetry: shapes, taken after every picture.
    pool += [tuple(line.split(":", 1)) for line in name_grown(unnamed, taken)]
    return pool


def main():
    work = tempfile.mkdtemp()
    chosen, abstract = choose(named_pool(), work)

    write(os.path.join(work, "chosen.txt"), ["%s: %s" % (n, b.strip()) for n, b in chosen])
    table = run("order", os.path.join(work, "chosen.txt"), os.path.join(work, "ordered.txt"))
    rated = []  # (effort, name, line, kinds)
    for row, (name, body) in zip(table.splitlines(),
                                 entries(os.path.join(work, "ordered.txt"))):
        rated.append((float(row.split("\t")[1]), name.strip(), "%s:%s" % (name, body),
                      kinds(body)))

    # The first lessons: the easiest square figures, then the easiest of each
    # other kind of turn, so that each kind is met first in an easy figure.
    lessons = [r for r in rated if r[3] == "S"][:LESSONS - 2]
    for kind in ("D", "O"):
        lessons += [r for r in rated if r[3] == kind][:1]
    hardest = [r for r in rated if r not in lessons][-MASTERPIECES:]
    groups = {}
    for r in rated:
        if r in lessons or r in hardest:
            continue
        groups.setdefault(chapter_of(r[1], r[3]), []).append(r)
    # By effort alone: ties keep the order's own tie-break, the older measure.
    chapters = [("First steps", sorted(lessons, key=lambda r: r[0]))]
    chapters += sorted(((title, members) for title, members in groups.items()),
                       key=lambda c: (median([r[0] for r in c[1]]),
                                      sum(r[0] for r in c[1]) / len(c[1])))
    chapters.append(("Masterpieces", hardest))

    with open(os.path.join(DESIGN, "figures_header.txt")) as f:
        text = f.read().splitlines()
    number, seen = 0, {}
    for at, (title, members) in enumerate(chapters, 1):
        text += ["", "# Chapter %d: %s (%d figures)" % (at, title, len(members))]
        for r in members:
            # A series is numbered in the order the player meets it.
            base = base_name(r[1])
            seen[base] = seen.get(base, 0) + 1
            text.append(base + SERIES[seen[base] - 1] + ":" + r[2].split(":", 1)[1])
        efforts = [r[0] for r in members]
        print("%2d %-28s %3d figures  median %.2f  mean %.2f  from %d" %
              (at, title, len(members), median(efforts), sum(efforts) / len(efforts),
               number + 1), file=sys.stderr)
        number += len(members)
    write("resources/figures.txt", text)
    run("build", "resources/figures.txt", os.path.join(work, "ftrg2.dat"))
    report = run("check", os.path.join(work, "ftrg2.dat"), "resources/figures.txt")
    print(table, end="")
    print(report or "check: every rule holds", file=sys.stderr)
    print("%d figures, %d with abstract names" % (len(chosen), abstract), file=sys.stderr)


if __name__ == "__main__":
    main()
