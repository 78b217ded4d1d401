#!/usr/bin/env python3
"""Checks of the trial driver: its reading of board pictures, and one short trial
in the real game under its own X server (`game`; exit 77 when it cannot start)."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib
from pathlib import Path

DESIGN = Path(__file__).resolve().parents[2] / "tools" / "figures" / "design"
sys.dont_write_bytecode = True  # nothing written beside the driver
sys.path.insert(0, str(DESIGN))
import trial  # noqa: E402

SILVER, BLUE = bytes((192, 192, 192)), bytes((63, 63, 192))


def board_with(points, width=40, height=30):
    rows = [bytearray(SILVER * width) for _ in range(height)]
    for x, y in points:
        rows[y][3 * x:3 * x + 3] = BLUE
    return trial.Board([bytes(r) for r in rows])


def right_triangle(x0, y0, size):
    """The edge pixels of a triangle with legs along the axes, right angle at x0, y0."""
    pts = {(x0 + i, y0) for i in range(size + 1)} | {(x0, y0 + i) for i in range(size + 1)}
    return sorted(pts | {(x0 + size - i, y0 + i) for i in range(size + 1)})


class Pictures(unittest.TestCase):
    def test_outline_pixels_are_found_and_their_inside_told(self):
        edge = right_triangle(5, 5, 10)
        found = trial.outline_pixels(board_with(edge))
        self.assertEqual(sorted(found), edge)
        self.assertTrue(trial.inside_outline(found, 7, 7))
        self.assertTrue(trial.inside_outline(found, 5, 10))  # on an edge
        self.assertFalse(trial.inside_outline(found, 14, 14))  # beyond the long side
        self.assertFalse(trial.inside_outline([], 7, 7))
        # A gap such as the pointer's picture leaves changes nothing.
        gappy = [p for p in found if not (p[1] == 5 and 8 <= p[0] <= 11)]
        self.assertTrue(trial.inside_outline(gappy, 9, 6))

    def test_a_shift_is_a_move_and_another_shape_a_turn(self):
        edge = right_triangle(5, 5, 10)
        shifted = [(x + 10, y + 3) for x, y in edge]
        mirrored = [(20 - x, y) for x, y in edge]
        self.assertEqual(trial.outline_change(edge, shifted), "move")
        self.assertEqual(trial.outline_change(edge, mirrored), "turn")
        self.assertIsNone(trial.outline_change(edge, edge[:-2]))  # a few pixels hidden
        self.assertIsNone(trial.outline_change([], edge))

    def test_a_press_is_read_from_the_boards_before_and_after(self):
        edge = right_triangle(5, 5, 10)
        empty, held = board_with([]), board_with(edge)
        moved = board_with([(x + 12, y) for x, y in edge])
        self.assertEqual(trial.after_action(empty, held, 7, 7, "left", []), ["pickup"])
        self.assertEqual(trial.after_action(held, empty, 30, 25, "left", edge), ["putdown"])
        self.assertEqual(trial.after_action(held, held, 30, 25, "left", edge), ["refused"])
        self.assertEqual(trial.after_action(held, moved, 30, 25, "left", edge),
                         ["putdown", "pickup"])
        self.assertEqual(trial.after_action(held, held, 7, 7, "left", edge), [])
        self.assertEqual(trial.after_action(empty, empty, 7, 7, "right", []), [])

    def test_frames_and_pictures_keep_their_pixels(self):
        folder = Path(tempfile.mkdtemp(prefix="trial-test-"))
        self.addCleanup(shutil.rmtree, folder)
        # An X window dump as Xvfb keeps it: 3 x 2 pixels, 32 bits, blue first.
        header = [100, 7, 2, 24, 3, 2, 0, 0, 32, 0, 32, 32, 12, 4, 0xFF0000, 0xFF00, 0xFF, 8,
                  0, 0, 3, 2, 0, 0, 0]
        pixels = bytes([3, 2, 1, 0] * 3 + [30, 20, 10, 0] * 3)
        (folder / "fb").write_bytes(struct.pack(">25I", *header) + pixels)
        frame = trial.Frame(folder / "fb")
        self.assertEqual(frame.crop(1, 0, 5, 5), [bytes([1, 2, 3] * 2), bytes([10, 20, 30] * 2)])
        trial.write_png(folder / "p.png", frame.crop(0, 0, 3, 2))
        png = (folder / "p.png").read_bytes()
        self.assertEqual(png[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(struct.unpack(">II", png[16:24]), (3, 2))
        start = png.index(b"IDAT") + 4
        self.assertEqual(zlib.decompress(png[start:start + struct.unpack(">I", png[start - 8:start - 4])[0]]),
                         b"\0" + bytes([1, 2, 3] * 3) + b"\0" + bytes([10, 20, 30] * 3))


class Ending(unittest.TestCase):
    def test_a_start_that_gave_up_half_way_is_ended_with_its_processes(self):
        folder = tempfile.mkdtemp(prefix="trial-end-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        server = subprocess.Popen(["sleep", "60"], start_new_session=True)
        self.addCleanup(server.kill)
        sessions, records = trial.SESSIONS, trial.TRIALS
        trial.SESSIONS, trial.TRIALS = Path(folder) / "sessions", Path(folder) / "trials"
        self.addCleanup(setattr, trial, "SESSIONS", sessions)
        self.addCleanup(setattr, trial, "TRIALS", records)
        (trial.SESSIONS / "t").mkdir(parents=True)
        session = trial.Session("t")
        session.state = {"open": True, "server_pid": server.pid}
        session.save()
        with self.assertRaises(SystemExit):  # a clear word, not a traceback
            trial.require_open(session)
        trial.command_end(session, giveup=False)
        self.assertIsNotNone(server.poll())
        self.assertFalse(trial.Session("t").state["open"])
        self.assertFalse(trial.TRIALS.exists())


def game_trial():
    """One figure in the real game: pick a triangle up, put it down, give up."""
    game = os.environ.get("TRIAL_GAME", "")
    missing = [t for t in ("Xvfb", "openbox", "xdotool", "xwininfo", "xprop") if not shutil.which(t)]
    if missing or not Path(game).exists():
        print("SKIPPED: cannot start the game under Xvfb (missing %s)" % (missing or [game]))
        return 77
    folder = tempfile.mkdtemp(prefix="trial-game-")
    env = dict(os.environ, TRIAL_SESSIONS=folder + "/sessions", TRIAL_RECORDS=folder + "/trials")
    run = lambda *a: subprocess.run([sys.executable, str(DESIGN / "trial.py"), "--player", "t",
                                     "--game", game, *a], env=env, capture_output=True,
                                    text=True, timeout=180)
    try:
        started = run("start", "1")
        if started.returncode != 0:
            print("SKIPPED: the game did not start: " + started.stderr)
            return 77
        assert "911 x 611" in started.stdout, started.stdout
        look = run("look")
        shots = [line.split(": ")[1].split(" ")[0] for line in look.stdout.splitlines()]
        for shot in shots:
            assert Path(shot).read_bytes()[:4] == b"\x89PNG", shot
        # The triangles wait at the board's sides; the second on the left lies
        # about 100 pixels in and 230 down at this size, whatever its turn.
        for x, y in ((95, 230), (105, 230), (85, 220), (100, 250), (90, 210)):
            picked = run("press", str(x), str(y))
            if not picked.stdout.startswith("nothing"):
                break
        assert picked.stdout.startswith("pickup"), picked.stdout + picked.stderr
        put = run("press", "450", "300")
        assert put.stdout.startswith("putdown"), put.stdout + put.stderr
        ended = run("giveup")
        assert ended.returncode == 0, ended.stderr
        table = (Path(folder) / "trials" / "trials.tsv").read_text().splitlines()
        assert len(table) == 2, table
        fields = table[1].split("\t")
        assert fields[1:5] == ["trial", "t", "1", "gaveup"], fields
        assert fields[6:8] == ["1", "1"], fields  # one put-down, one pick-up
        return 0
    finally:
        run("end")
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    if sys.argv[1:] == ["game"]:
        sys.exit(game_trial())
    unittest.main()
