#!/usr/bin/env python3
"""What a fresh panel of three can be expected to give the collection as it is.

    tools/figures/design/blind/expected.py [--list N]

Every group of three viewers that saw a picture's present drawing, in any round
from 9 on (pool.py finds them whatever the drawing was called), is one draw of
a panel for that picture: the name passes when two of the three gave it, and
the group misreads it unanimously when the name does not pass and all three
gave one other thing. Averaged over a picture's groups, summed over the
pictures, that is what a last panel is expected to give: the pass rate, the
number of unanimous misreadings (and, taking them as rare and independent, the
chance of none), and the chance that the people pass at the rate asked.

The words are matched automatically (a few synonyms and general words, as the
hand-judged verdicts take them), so a count may differ from a hand-judged
round's by a few.
"""

import itertools
import math
import os
import re
import sys
from collections import defaultdict

BLIND = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, BLIND)
sys.path.insert(0, os.path.dirname(BLIND))

import pool  # noqa: E402
from blind import is_picture  # noqa: E402
from themes import base_name  # noqa: E402

PEOPLE_GOAL = 0.75

SAME = {
    "plane": "airplane", "jet": "airplane", "aeroplane": "airplane", "shoe": "boot",
    "slipper": "boot", "sock": "boot", "sandtimer": "hourglass", "timer": "hourglass",
    "bow": "bowtie", "cane": "stick", "blade": "knife", "dagger": "knife", "pistol": "gun",
    "revolver": "gun", "step": "stairs", "steps": "stairs", "staircase": "stairs",
    "stair": "stairs", "checkmark": "tick", "goblet": "cup", "glass": "cup",
    "chalice": "cup", "kitten": "cat", "ship": "boat", "sailboat": "boat", "hull": "boat",
    "canoe": "boat", "yacht": "boat", "warship": "boat", "swan": "bird", "duck": "bird",
    "parrot": "bird", "rooster": "bird", "chick": "bird", "penguin": "bird",
    "seagull": "bird", "eagle": "bird", "crow": "bird", "figure": "person", "man": "person",
    "woman": "person", "dancer": "person", "people": "person", "walker": "person",
    "runner": "person", "cursor": "arrow", "pointer": "arrow", "arrowhead": "arrow",
    "arrows": "arrow", "fir": "tree", "pine": "tree", "stump": "tree",
    "mountains": "mountain", "hill": "mountain", "tiara": "crown", "coronet": "crown",
    "puppy": "dog", "bunny": "rabbit", "hare": "rabbit", "shark": "fish", "whale": "fish",
    "mitten": "hand", "glove": "hand", "fist": "hand", "birdhouse": "house", "hut": "house",
    "home": "house", "windmill": "pinwheel", "propeller": "pinwheel", "desk": "table",
    "bolt": "lightning",
}
PHRASES = {
    "bow tie": "bowtie", "sand timer": "sandtimer", "check mark": "checkmark",
    "walking stick": "cane", "sea horse": "seahorse", "stop sign": "stopsign",
    "question mark": "questionmark",
}
# Words that say how a thing lies or which part shows, not what it is.
NOT_A_THING = set(
    "on with a the of in down up left right pointing side its shape sideways upside lying "
    "standing sitting seated flying head face profile arms arm legs leg raised out apart "
    "spread wings turning back big small open tilted shaped and or to like letter number "
    "digit bent two double".split())
NAME_WORDS = {
    "walking man": {"person"}, "sitting person": {"person"}, "kneeling person": {"person"},
    "walker": {"person"}, "cat's head": {"cat"}, "cat face": {"cat"}, "fox head": {"fox"},
    "walking stick": {"stick"}, "flight of steps": {"stairs"}, "bird in flight": {"bird"},
    "stop sign": {"stopsign"}, "christmas tree": {"tree"}, "upside-down t": {"sym t"},
    "bow tie": {"bowtie"}, "zigzag crown": {"crown"}, "four-pointed star": {"star"},
    "crescent moon": {"moon"}, "sailing boat": {"boat"}, "jigsaw piece": {"puzzle", "jigsaw"},
    "ankle boot": {"boot"},
}
NUMBER_WORDS = {"one": "1", "two": "2", "five": "5", "seven": "7", "nine": "9"}


def things(reading):
    """The things a reading names, in the words above."""
    text = reading.lower()
    for phrase, word in PHRASES.items():
        text = text.replace(phrase, word)
    found = {"sym " + NUMBER_WORDS.get(m.group(2), m.group(2))
             for m in re.finditer(r"\b(letter|number|digit) (\w+)", text)}
    for word in re.findall(r"[a-z0-9'-]+", text):
        if word not in NOT_A_THING:
            found.add(SAME.get(word, word))
        if word in ("seated", "sitting", "kneeling") and ("person" in text or "figure" in text):
            found.add("person")
    return found


def name_things(name):
    base = base_name(name).lower()
    m = re.match(r"(letter|digit) (\w+)$", base)
    if m:
        return {"sym " + m.group(2)}
    if base in NAME_WORDS:
        return NAME_WORDS[base]
    if "arrow" in base:
        return {"arrow"}
    last = base.split()[-1]
    return {SAME.get(last, last)}


def groups_of_three(pictures):
    """For each drawing, the readings of every group of three that saw it."""
    rounds = sorted(int(m.group(1)) for m in
                    (re.match(r"round-(\d+)-viewers$", d) for d in os.listdir(BLIND))
                    if m and int(m.group(1)) >= pool.FIRST_ROUND)
    found = defaultdict(list)
    for round_no in rounds:
        readings = pool.readings_of(round_no)
        for code, seen, _ in pool.shown(round_no):
            if seen not in pictures:
                continue
            by_group = defaultdict(list)
            for viewer, text in readings.get(code, []):
                by_group[(viewer - 1) // 3].append(text)
            found[seen] += [texts for texts in by_group.values() if len(texts) == 3]
    return found


def main():
    listed = int(sys.argv[2]) if len(sys.argv) == 3 and sys.argv[1] == "--list" else 0
    with open(os.path.join(pool.ROOT, "resources", "figures.txt")) as f:
        pictures = {pool.drawing(p): n for n, p in pool.parse(f.read()) if is_picture(n)}
    rows, people = [], []
    for seen, groups in groups_of_three(pictures).items():
        name = pictures[seen]
        wanted = name_things(name)
        passed = misread = 0
        for texts in groups:
            seen_as = [things(t) for t in texts]
            if sum(1 for s in seen_as if wanted & s) >= 2:
                passed += 1
            elif set.intersection(*seen_as) - wanted:
                misread += 1
        rows.append((misread / len(groups), passed / len(groups), len(groups), name))
        if "person" in wanted:
            people.append(passed / len(groups))
    unseen = len(pictures) - len(rows)
    passing = sum(r[1] for r in rows)
    misreadings = sum(r[0] for r in rows)
    print("%d pictures seen by %d groups of three (%d never)" %
          (len(rows), sum(r[2] for r in rows), unseen))
    print("expected to pass: %.1f (%.0f %%)" % (passing, 100 * passing / len(rows)))
    print("expected unanimous misreadings: %.1f; chance of none %.1g" %
          (misreadings, math.exp(-misreadings)))
    print("pictures some group misread unanimously: %d" % sum(1 for r in rows if r[0] > 0))
    chance = 0.0
    for passes in itertools.product((0, 1), repeat=len(people)):
        if sum(passes) >= PEOPLE_GOAL * len(people):
            chance += math.prod(p if ok else 1 - p for ok, p in zip(passes, people))
    print("people: %d, passing %s; chance of %d %% or more %.2f" %
          (len(people), " ".join("%.2f" % p for p in people), 100 * PEOPLE_GOAL, chance))
    for misread, passed, groups, name in sorted(rows, reverse=True)[:listed]:
        print("  %-22s misread %.2f  passed %.2f  of %d" % (name, misread, passed, groups))


if __name__ == "__main__":
    main()
