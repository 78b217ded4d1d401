#!/usr/bin/env python3
"""A blind round's table: pass rate by theme, the names seen unanimously as
something else, and every code's readings and verdict.

    tools/figures/design/blind/report.py ROUND

Reads round-ROUND-key.txt, round-ROUND-viewers/ and verdicts_roundROUND.py
(FAILED: the codes whose name two viewers did not give; SEEN_AS_OTHER: the
codes all three saw as one other thing) and prints Markdown.
"""

import glob
import importlib
import os
import re
import sys
from collections import Counter

BLIND = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, BLIND)
sys.path.insert(0, os.path.dirname(BLIND))

from themes import chapter_of  # noqa: E402


def main():
    round_no = sys.argv[1]
    verdicts = importlib.import_module("verdicts_round%s" % round_no)
    with open(os.path.join(BLIND, "round-%s-key.txt" % round_no)) as f:
        key = dict(line.rstrip("\n").split("\t") for line in f if "\t" in line)
    readings = {}
    for path in sorted(glob.glob(os.path.join(BLIND, "round-%s-viewers" % round_no, "*.txt"))):
        with open(path) as f:
            for line in f:
                m = re.match(r"(R\d+-\d+):\s*(.*)", line.strip())
                if m:
                    readings.setdefault(m.group(1), []).append(m.group(2))
    number = {code: int(code.split("-")[1]) for code in key}
    total, passed = Counter(), Counter()
    for code, name in key.items():
        theme = chapter_of(name, "S")
        total[theme] += 1
        passed[theme] += number[code] not in verdicts.FAILED
    print("| Theme | Pictures | Seen as named | Rate |\n|---|---|---|---|")
    for theme, n in total.most_common():
        print("| %s | %d | %d | %d %% |" % (theme, n, passed[theme], round(100 * passed[theme] / n)))
    all_passed = sum(passed.values())
    print("| all | %d | %d | %d %% |\n" % (len(key), all_passed, round(100 * all_passed / len(key))))
    by_number = {number[code]: code for code in key}
    other = ["%s (%s)" % (key[by_number[n]], what) for n, what in verdicts.SEEN_AS_OTHER.items()]
    print("Seen unanimously as something else (%d): %s\n" % (len(other), "; ".join(other)))
    print("| Code | Name | Viewer 1 | Viewer 2 | Viewer 3 | Verdict |\n|---|---|---|---|---|---|")
    for code in sorted(key):
        n = number[code]
        verdict = ("seen as " + verdicts.SEEN_AS_OTHER[n] if n in verdicts.SEEN_AS_OTHER
                   else "fail" if n in verdicts.FAILED else "pass")
        cells = (readings.get(code, []) + ["", "", ""])[:3]
        print("| %s | %s | %s | %s |" % (code, key[code], " | ".join(cells), verdict))


if __name__ == "__main__":
    main()
