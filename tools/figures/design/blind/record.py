#!/usr/bin/env python3
"""Writes the record of a blind-naming round, round-K.md, from the key, the
viewers' files and the verdicts.

    tools/figures/design/blind/record.py K VIEWER-DIR
"""

import importlib
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
round_no, viewers_dir = sys.argv[1], sys.argv[2]
verdicts = importlib.import_module("verdicts_round%s" % round_no)

key = {}
with open(os.path.join(HERE, "round-%s-key.txt" % round_no)) as f:
    for line in f:
        code, name = line.rstrip("\n").split("\t")
        key[code] = name
seen = []
for v in (1, 2, 3):
    answers = {}
    with open(os.path.join(viewers_dir, "viewer-%d.txt" % v)) as f:
        for line in f:
            if ":" in line:
                code, text = line.split(":", 1)
                answers[code.strip()] = text.strip()
    seen.append(answers)

counts = {}
rows = []
for code in sorted(key):
    name = key[code]
    verdict, renamed = verdicts.VERDICTS.get(name, ("unjudged", None))
    counts[verdict] = counts.get(verdict, 0) + 1
    if renamed is not None and not isinstance(renamed, str):
        renamed = " or ".join(renamed)  # every name the viewers agreed on
    outcome = {"pass": "keeps its name", "rename": "named after the viewers: " + str(renamed),
               "fail": "shape name: " + renamed if renamed else "leaves the collection"}
    rows.append("| %s | %s | %s | %s | %s | %s | %s |" % (
        code, name, seen[0].get(code, ""), seen[1].get(code, ""), seen[2].get(code, ""),
        verdict, outcome.get(verdict, "")))

out = ["# Blind naming, round %s" % round_no, "",
       "Three fresh viewers saw the silhouettes alone, under shuffled codes, on the",
       "sheets made by tools/figures/design/blind.py, and wrote what they saw. A name",
       "passes when at least two of the three named it or a synonym (a general word",
       "for a specific name counts: \"boat\" for a tugboat).", "",
       "Verdicts: " + ", ".join("%s %d" % (k, v) for k, v in sorted(counts.items())) +
       " of %d." % len(key), "",
       "| Code | Name then | Viewer 1 | Viewer 2 | Viewer 3 | Verdict | Outcome |",
       "|---|---|---|---|---|---|---|"] + rows
with open(os.path.join(HERE, "round-%s.md" % round_no), "w") as f:
    f.write("\n".join(out) + "\n")
print(counts)
