#!/usr/bin/env python3
"""Every reading a drawing has had, over every round that showed it.

    tools/figures/design/blind/pool.py NAME ...

For each NAME of resources/figures.txt, prints the readings of its drawing by
round and by group of three viewers, with the name it bore then. A drawing is
the same drawing whatever it was called: each round's key is matched to the
collection as it stood when the round's sheets were made (the newest change
to resources/figures.txt at or before the commit that added the key), a
choosing round's new drawings to its round-N-source.txt and its shipped ones
(O and F labels, third-edition numbers) to the fourth edition as it then
stood. Round 12's names never shipped together; its key is matched to the
collection that holds most of them, and a name it lacks is left out. Needs the
project's git history.
"""

import functools
import os
import re
import subprocess
import sys
from collections import defaultdict

BLIND = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(BLIND))))
sys.path.insert(0, os.path.dirname(BLIND))

from fourth import changes_in  # noqa: E402

# Round 11 showed the fourth edition's new drawings under third-edition names,
# before they shipped; rounds before 9 named figures since redrawn.
FIRST_ROUND = 9
NEW_DRAWINGS_ROUND = 11


def git(*args):
    return subprocess.run(["git", "-C", ROOT, *args], capture_output=True, text=True,
                          check=True).stdout


def parse(text):
    figures = []
    for line in text.splitlines():
        if line.startswith("#") or ":" not in line:
            continue
        name, body = line.split(":", 1)
        try:
            placements = [tuple(int(v) for v in p.split()) for p in body.split(",")]
        except ValueError:
            continue
        if len(placements) == 8 and all(len(p) == 3 for p in placements):
            figures.append((name.strip(), placements))
    return figures


def drawing(placements):
    """The drawing wherever it lies on the grid."""
    col = min(p[0] for p in placements)
    row = min(p[1] for p in placements)
    return tuple(sorted((c - col, r - row, o) for c, r, o in placements))


def fourth_at(commit):
    """The fourth edition at COMMIT, in third-edition order, under third-edition names."""
    design = "tools/figures/design/"
    changes = changes_in(git("show", commit + ":" + design + "fourth-changes.txt").splitlines(),
                         commit + ":fourth-changes.txt")
    figures = parse(git("show", commit + ":" + design + "third-edition.txt"))
    for number, line in changes.items():
        figures[number - 1] = parse(line)[0]
    return figures


def changes_to_collection(*until):
    return git("log", "--format=%h", *until, "--", "resources/figures.txt").split()


@functools.lru_cache(maxsize=None)
def collection_at(commit):
    return dict(parse(git("show", commit + ":resources/figures.txt")))


def key_of(round_no):
    with open(os.path.join(BLIND, "round-%d-key.txt" % round_no)) as f:
        return [line.rstrip("\n").split("\t") for line in f if "\t" in line]


def readings_of(round_no):
    found = defaultdict(list)
    folder = os.path.join(BLIND, "round-%d-viewers" % round_no)
    for viewer in sorted(os.listdir(folder)):
        number = int(re.search(r"\d+", viewer).group())
        with open(os.path.join(folder, viewer)) as f:
            for line in f:
                m = re.match(r"\s*(R\d+-\d+)\s*:\s*(.*)", line)
                if m:
                    found[m.group(1)].append((number, m.group(2).strip()))
    return found


def shown(round_no):
    """(drawing, name then) for each code of the round."""
    added = git("log", "--diff-filter=A", "--format=%h", "--",
                "tools/figures/design/blind/round-%d-key.txt" % round_no).split()
    key = key_of(round_no)
    if not added:  # a round not yet committed saw the collection as it stands
        with open(os.path.join(ROOT, "resources", "figures.txt")) as f:
            figures = dict(parse(f.read()))
        for code, name in key:
            yield code, drawing(figures[name]), name
        return
    added = added[-1]
    source = os.path.join(BLIND, "round-%d-source.txt" % round_no)
    if os.path.exists(source):
        with open(source) as f:
            new = dict(parse(f.read()))
        with open(os.path.join(BLIND, "round-%d-labels.txt" % round_no)) as f:
            labels = dict(line.rstrip("\n").split("\t") for line in f if "\t" in line)
        shipped = fourth_at(added + "^")
        for code, label in key:
            if label in new:
                yield code, drawing(new[label]), labels.get(label, label)
            else:
                name, placements = shipped[int(label[1:]) - 1]
                yield code, drawing(placements), name
        return
    if round_no == NEW_DRAWINGS_ROUND:
        figures = dict(fourth_at(added))
    else:
        names = {name for _, name in key}
        figures = next((f for f in map(collection_at, changes_to_collection(added))
                        if names <= set(f)), None)
        if figures is None:
            figures = max(map(collection_at, changes_to_collection()),
                          key=lambda f: len(names & set(f)))
    for code, name in key:
        if name in figures:  # a name given after the round and not kept is not found
            yield code, drawing(figures[name]), name


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    with open(os.path.join(ROOT, "resources", "figures.txt")) as f:
        now = dict(parse(f.read()))
    wanted = {}
    for name in sys.argv[1:]:
        if name not in now:
            sys.exit("no figure %r in resources/figures.txt" % name)
        wanted[drawing(now[name])] = name
    rounds = sorted(int(m.group(1)) for m in
                    (re.match(r"round-(\d+)-viewers$", d) for d in os.listdir(BLIND))
                    if m and int(m.group(1)) >= FIRST_ROUND)
    pooled = defaultdict(list)
    for round_no in rounds:
        readings = readings_of(round_no)
        for code, seen, name in shown(round_no):
            if seen in wanted:
                groups = defaultdict(list)
                for viewer, text in readings.get(code, []):
                    groups[(viewer - 1) // 3].append(text)
                for group, texts in sorted(groups.items()):
                    label = "%d%s" % (round_no, "abcdefgh"[group] if len(groups) > 1 else "")
                    pooled[seen].append((label, name, texts))
    for seen, name in wanted.items():
        print("%s: %d rounds of three" % (name, len(pooled[seen])))
        for label, then, texts in pooled[seen]:
            print("  %-4s %-22s %s" % (label, then, " | ".join(texts)))


if __name__ == "__main__":
    main()
