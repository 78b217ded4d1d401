#!/usr/bin/env python3
"""trial.py: lets a trial player lay one figure in the real game, seeing only pictures.

The game runs under an X server of its own (Xvfb with openbox) in a private home
folder; the player looks at two pictures (the target window and the board) and
clicks and drags on the board in its own pixels. Every action is sent as real
pointer events (xdotool) to the real window, and what it did is read back from
the board's pixels: a triangle picked up shows as an outline, one put down is
filled again, and a put-down the game refuses leaves the outline where it was.
The record of one trial goes to trials/events/, its totals to trials/trials.tsv.

    trial.py --player NAME start FIGURE [--pilot]
    trial.py --player NAME look
    trial.py --player NAME press X Y [left|right]
    trial.py --player NAME drag X1 Y1 X2 Y2 [STEPS]
    trial.py --player NAME release
    trial.py --player NAME giveup
    trial.py --player NAME end
"""

import argparse
import json
import os
import shutil
import signal
import struct
import subprocess
import sys
import time
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parent.parent.parent
TRIALS = Path(os.environ.get("TRIAL_RECORDS", str(HERE / "trials")))
SESSIONS = Path(os.environ.get("TRIAL_SESSIONS", "/tmp/fribo-trial"))

SCREEN = (1280, 800)
# The main window's client rectangle: 940 x 700 gives the board 10 pixels a cell.
MAIN_CLIENT = (16, 40, 956, 740)
TARGET_AT = (1010, 60)
# The window's layout, as the game lays it out.
TOOL_HEIGHT, BANNER_HEIGHT = 33, 17
GRID_COLUMNS, GRID_ROWS = 91, 61
SCALE_COLUMNS, SCALE_ROWS = 93, 63

SUMMARY_FIELDS = ["trial", "kind", "player", "figure", "outcome", "seconds", "putdowns",
                  "pickups", "turns", "moves", "refused", "actions", "looks"]


def fail(message):
    print("trial: " + message, file=sys.stderr)
    sys.exit(1)


# ----- pictures --------------------------------------------------------------------------

class Frame:
    """One picture of the whole screen, read from the server's frame buffer file."""

    def __init__(self, path):
        data = Path(path).read_bytes()
        header = struct.unpack(">25I", data[:100])
        header_size, ncolours = header[0], header[19]
        self.width, self.height = header[4], header[5]
        self.bpp, self.stride, lsb = header[11], header[12], header[7] == 0
        if self.bpp != 32 or not lsb:
            fail("the X server's frame buffer is not 32-bit little-endian")
        start = header_size + 12 * ncolours
        self.pixels = data[start:start + self.stride * self.height]

    def crop(self, left, top, width, height):
        """Rows of (r, g, b) bytes, clipped to the screen."""
        rows = []
        for y in range(max(top, 0), min(top + height, self.height)):
            line = self.pixels[y * self.stride:(y + 1) * self.stride]
            x0, x1 = max(left, 0), min(left + width, self.width)
            raw = line[4 * x0:4 * x1]
            rgb = bytearray(3 * (x1 - x0))
            rgb[0::3], rgb[1::3], rgb[2::3] = raw[2::4], raw[1::4], raw[0::4]
            rows.append(bytes(rgb))
        return rows


def write_png(path, rows):
    width = len(rows[0]) // 3 if rows else 0
    raw = b"".join(b"\0" + r for r in rows)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    png = (b"\x89PNG\r\n\x1a\n" +
           chunk(b"IHDR", struct.pack(">IIBBBBB", width, len(rows), 8, 2, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))
    tmp = Path(str(path) + ".part")
    tmp.write_bytes(png)
    os.replace(tmp, path)


class Board:
    """The board's pixels, rows of (r, g, b) bytes."""

    def __init__(self, rows):
        self.rows = rows
        self.height = len(rows)
        self.width = len(rows[0]) // 3 if rows else 0


# ----- the session -----------------------------------------------------------------------

class Session:
    def __init__(self, player):
        if not player or "/" in player or player.startswith("."):
            fail("give a plain player name with --player")
        self.player = player
        self.dir = SESSIONS / player
        self.state_path = self.dir / "state.json"
        self.state = json.loads(self.state_path.read_text()) if self.state_path.exists() else None

    def save(self):
        tmp = self.state_path.with_suffix(".part")
        tmp.write_text(json.dumps(self.state, indent=1))
        os.replace(tmp, self.state_path)

    def env(self):
        s = self.state
        e = {k: v for k, v in os.environ.items() if not k.startswith(("XDG_", "WAYLAND", "QT_"))}
        e.update(DISPLAY=s["display"], HOME=s["home"], QT_QPA_PLATFORM="xcb",
                 XDG_CONFIG_HOME=s["home"] + "/.config", XDG_DATA_HOME=s["home"] + "/.local/share",
                 XDG_CACHE_HOME=s["home"] + "/.cache", XDG_RUNTIME_DIR=s["home"] + "/runtime",
                 XDG_STATE_HOME=s["home"] + "/.local/state")
        return e

    def xdotool(self, *args, check=True):
        r = subprocess.run(["xdotool", *map(str, args)], env=self.env(), capture_output=True,
                           text=True, timeout=20)
        if check and r.returncode != 0:
            fail("xdotool %s: %s" % (" ".join(map(str, args)), r.stderr.strip()))
        return r.stdout.strip()

    def frame(self):
        return Frame(self.state["fbfile"])

    def windows(self, name):
        out = self.xdotool("search", "--onlyvisible", "--name", name, check=False)
        return [int(w) for w in out.split()] if out else []

    def geometry(self, window):
        """Where the window's inside lies on the screen (xdotool's answer is off by
        the frame under openbox)."""
        r = subprocess.run(["xwininfo", "-id", str(window)], env=self.env(), capture_output=True,
                           text=True, timeout=20)
        g = {}
        for line in r.stdout.splitlines():
            key, _, value = line.strip().partition(":")
            g[key] = value.strip()
        try:
            return (int(g["Absolute upper-left X"]), int(g["Absolute upper-left Y"]),
                    int(g["Width"]), int(g["Height"]))
        except (KeyError, ValueError):
            return None

    def window_name(self, window):
        return self.xdotool("getwindowname", window, check=False)

    def board_rect(self):
        g = self.geometry(self.state["main_window"])
        if not g:
            fail("the game's window is gone")
        x, y, w, h = g
        unit = min(w // SCALE_COLUMNS, (h - TOOL_HEIGHT - BANNER_HEIGHT) // SCALE_ROWS)
        left = (w - unit * GRID_COLUMNS) // 2
        top = (h - TOOL_HEIGHT - BANNER_HEIGHT - unit * GRID_ROWS) // 2 + TOOL_HEIGHT
        return x + left, y + top, unit * GRID_COLUMNS + 1, unit * GRID_ROWS + 1, unit

    def board(self, frame=None):
        left, top, width, height, _ = self.board_rect()
        return Board((frame or self.frame()).crop(left, top, width, height))

    def target_window(self):
        for w in self.windows("^Trigonet [0-9]"):
            return w
        return None

    def settled_board(self, before=None, wait_change=1.0, quiet=0.15, limit=4.0):
        """The board once the game has drawn what it was sent: it waits up to
        `wait_change` seconds for the picture to differ from `before`, then until it
        stays the same for `quiet` seconds."""
        start = time.monotonic()
        rows = self.board().rows
        if before is not None:
            while rows == before and time.monotonic() - start < wait_change:
                time.sleep(0.02)
                rows = self.board().rows
        still = time.monotonic()
        while time.monotonic() - still < quiet and time.monotonic() - start < limit:
            time.sleep(0.03)
            now = self.board().rows
            if now != rows:
                rows, still = now, time.monotonic()
        return Board(rows)

    # ----- the record -------------------------------------------------------------------

    def record(self, event, x="", y="", detail=""):
        s = self.state
        line = "%.2f\t%s\t%s\t%s\t%s\n" % (time.time() - s["started"], event, x, y, detail)
        with open(s["events"], "a") as f:
            f.write(line)
        if event in s["totals"]:
            s["totals"][event] += 1


# ----- reading the board -----------------------------------------------------------------

# The held triangle's outline is drawn in exclusive-or with yellow over the board:
# over the silver background, a black triangle and a grey edge.
OUTLINE_COLOURS = [bytes(c ^ y for c, y in zip(under, (255, 255, 0)))
                   for under in ((192, 192, 192), (0, 0, 0), (127, 127, 127))]


def outline_pixels(board):
    found = []
    for y, r in enumerate(board.rows):
        for colour in OUTLINE_COLOURS:
            start = 0
            while True:
                i = r.find(colour, start)
                if i < 0:
                    break
                if i % 3 == 0:
                    found.append((i // 3, y))
                    start = i + 3
                else:
                    start = i + 1
    return found


def hull(points):
    """The convex hull of pixel positions, counter-clockwise (monotone chain)."""
    points = sorted(set(points))
    if len(points) < 3:
        return points

    def cross(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])

    lower, upper = [], []
    for p in points:
        while len(lower) >= 2 and cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(points):
        while len(upper) >= 2 and cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


def inside_outline(outline, x, y):
    """True when (x, y) lies on or inside the held triangle's outline. The hull of
    its pixels is the triangle itself, even where the pointer's picture hides a
    piece of an edge."""
    corners = hull(outline)
    if len(corners) < 3:
        return False
    for k in range(len(corners)):
        (ax, ay), (bx, by) = corners[k], corners[(k + 1) % len(corners)]
        if (bx - ax) * (y - ay) - (by - ay) * (x - ax) < 0:
            return False
    return True


def overlap(a, b):
    return len(a & b) / max(len(a), len(b), 1)


def outline_change(before, after):
    """'move', 'turn' or None between two outlines. The pointer's picture may hide
    a few of an outline's pixels, so outlines that agree on nine pixels in ten
    are the same."""
    if not before or not after:
        return None
    a, b = set(before), set(after)
    if overlap(a, b) >= 0.9:
        return None
    ax, ay = min(p[0] for p in a), min(p[1] for p in a)
    bx, by = min(p[0] for p in b), min(p[1] for p in b)
    a = {(x - ax, y - ay) for x, y in a}
    b = {(x - bx, y - by) for x, y in b}
    return "move" if overlap(a, b) >= 0.9 else "turn"


# ----- commands --------------------------------------------------------------------------

def launch(args, env, log):
    return subprocess.Popen(args, env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                            start_new_session=True)


def wait_for(what, condition, timeout):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    fail("gave up waiting for " + what)


def alive(pid):
    try:
        os.kill(pid, 0)
        return True
    except OSError:
        return False


def stop_processes(state):
    for name in ("game", "wm", "server"):
        pid = state.get(name + "_pid")
        if pid and alive(pid):
            try:
                os.killpg(pid, signal.SIGTERM)
            except OSError:
                pass
            end = time.monotonic() + 5
            while alive(pid) and time.monotonic() < end:
                try:
                    os.waitpid(pid, os.WNOHANG)
                except ChildProcessError:
                    pass
                time.sleep(0.05)
            if alive(pid):
                try:
                    os.killpg(pid, signal.SIGKILL)
                except OSError:
                    pass


def command_start(session, figure, pilot, game):
    if session.state and session.state.get("open"):
        fail("a trial is still open for %s: run `end` first" % session.player)
    for tool in ("Xvfb", "openbox", "xdotool"):
        if not shutil.which(tool):
            fail("%s is missing (packages.txt names its package)" % tool)
    game = Path(game) if game else REPO / "build" / "fribo-trigonet"
    if not game.exists():
        fail("no game at %s: build it with `make game`" % game)
    if session.state:
        stop_processes(session.state)
    if session.dir.exists():
        shutil.rmtree(session.dir)
    session.dir.mkdir(parents=True)
    home = session.dir / "home"
    for sub in (".config/FriboGames", ".local/share", ".cache", "runtime", ".local/state"):
        (home / sub).mkdir(parents=True)
    os.chmod(home / "runtime", 0o700)
    l, t, r, b = MAIN_CLIENT
    # tongue 0 is English; no sound, no saved game; the figure to lay.
    (home / ".config/FriboGames/FriboTrigonet.conf").write_text(
        "[V2]\ncommon\\level=%d\ncommon\\tongue=0\ncommon\\sound=0\ncommon\\save=\n"
        "common\\MainForm=200,0,1,%d,%d,%d,%d\ncommon\\pleft=%d\ncommon\\ptop=%d\n"
        % (figure, l, t, r, b, TARGET_AT[0], TARGET_AT[1]))
    fbdir = session.dir / "fb"
    fbdir.mkdir()
    log = open(session.dir / "processes.log", "a")
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % SCREEN,
         "-fbdir", str(fbdir), "-nolisten", "tcp", "-nolisten", "unix"],
        pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log,
        start_new_session=True)
    os.close(write_end)
    number = b""
    end = time.monotonic() + 30
    while not number.endswith(b"\n") and time.monotonic() < end:
        chunk = os.read(read_end, 16)
        if not chunk:
            break
        number += chunk
    os.close(read_end)
    if not number.strip():
        stop_processes({"server_pid": server.pid})
        fail("Xvfb gave no display number (see %s)" % (session.dir / "processes.log"))
    session.state = {
        "open": True, "player": session.player, "figure": figure,
        "kind": "pilot" if pilot else "trial", "display": ":" + number.decode().strip(),
        "home": str(home), "fbfile": str(fbdir / "Xvfb_screen0"), "server_pid": server.pid,
        "started": time.time(), "looks": 0, "actions": 0, "outcome": "",
        "totals": {"putdown": 0, "pickup": 0, "turn": 0, "move": 0, "refused": 0},
    }
    session.save()
    env = session.env()
    # On a busy machine openbox sometimes cannot open a display that Xvfb has
    # just announced; it exits at once, and a second start finds the server.
    for attempt in range(3):
        wm = launch(["openbox", "--sm-disable"], env, log)
        session.state["wm_pid"] = wm.pid
        session.save()
        wait_for("openbox", lambda: wm.poll() is not None or subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env, capture_output=True,
            text=True).stdout.count("window id") > 0, 30)
        if wm.poll() is None:
            break
        time.sleep(0.5)
    else:
        stop_processes(session.state)
        session.state["open"] = False
        session.save()
        fail("openbox could not open the display three times (see %s)"
             % (session.dir / "processes.log"))
    player = launch([str(game)], env, log)
    session.state["game_pid"] = player.pid
    session.save()
    try:
        open_game(session, figure, pilot)
    except SystemExit:
        # Nothing was played: the player may start the figure again at once.
        stop_processes(session.state)
        session.state["open"] = False
        session.save()
        raise


def open_game(session, figure, pilot):
    # The game greets with its information box first; it is closed as a player would.
    info = wait_for("the game's information box",
                    lambda: session.windows("^Fribo Bytes - Freeware-Info$"), 60)[0]
    press_return(session, info)
    wait_for("the information box to close",
             lambda: not session.windows("^Fribo Bytes - Freeware-Info$"), 20)
    main = wait_for("the game's window", lambda: session.windows("^Fribo Trigonet$"), 20)[0]
    session.state["main_window"] = main
    wait_for("the target window", session.target_window, 20)
    stamp = time.strftime("%Y%m%d-%H%M%S", time.gmtime(session.state["started"]))
    trial = "%s-%s-%03d" % (stamp, session.player, figure)
    events = TRIALS / ("pilot" if pilot else "events") / (trial + ".tsv")
    events.parent.mkdir(parents=True, exist_ok=True)
    events.write_text("seconds\tevent\tx\ty\tdetail\n")
    session.state.update(trial=trial, events=str(events), started=time.time())
    session.settled_board(quiet=0.3)
    session.record("start", detail="figure %d" % figure)
    session.save()
    _, _, width, height, unit = session.board_rect()
    print("Trial started: figure %d. The board is %d x %d pixels (one cell is %d pixels)."
          % (figure, width, height, unit))
    print("Run `look` to see the target window and the board.")


def require_open(session):
    if not session.state or not session.state.get("open"):
        fail("no trial is open for %s: run `start FIGURE` first" % session.player)
    if not session.state.get("game_pid"):
        fail("the game never started; run `end`, then `start FIGURE` again")
    if not alive(session.state["game_pid"]):
        fail("the game has ended unexpectedly; run `end`")


GREEN = bytes((0, 255, 0))


def solved_now(session, board=None):
    """The game fills the triangles green and marks the target's title when the
    figure is solved."""
    target = session.target_window()
    if target is not None and session.window_name(target).endswith(" - solved"):
        return True
    board = board or session.board()
    return sum(r.count(GREEN) for r in board.rows) > 1000


def command_look(session):
    require_open(session)
    s = session.state
    s["looks"] += 1
    frame = session.frame()
    shots = session.dir / "shots"
    shots.mkdir(exist_ok=True)
    target = session.target_window()
    paths = []
    if target is not None:
        x, y, w, h = session.geometry(target)
        path = shots / ("look-%03d-target.png" % s["looks"])
        write_png(path, frame.crop(x, y, w, h))
        paths.append(path)
    left, top, width, height, unit = session.board_rect()
    path = shots / ("look-%03d-board.png" % s["looks"])
    write_png(path, frame.crop(left, top, width, height))
    paths.append(path)
    session.record("look")
    session.save()
    print("target window: %s" % paths[0] if len(paths) == 2 else "target window: not shown")
    print("board: %s (%d x %d pixels, one cell is %d pixels)" % (paths[-1], width, height, unit))
    if solved_now(session):
        print("The figure is solved. Run `end`.")


def check_point(session, x, y):
    _, _, width, height, _ = session.board_rect()
    if not (0 <= x < width and 0 <= y < height):
        fail("%d,%d is not on the board (0..%d, 0..%d)" % (x, y, width - 1, height - 1))


def press_return(session, window):
    """Return pressed at the keyboard: `key --window` would send the release to a
    box the press has already closed, leaving the key held down and repeating
    into the game's board."""
    session.xdotool("windowactivate", "--sync", window, check=False)
    session.xdotool("key", "--clearmodifiers", "Return", check=False)
    session.xdotool("keyup", "Return", check=False)


def close_solved_message(session):
    """The game says the figure is solved in a message box; the trial ends there."""
    for w in session.windows("^Fribo Trigonet$"):
        if w != session.state["main_window"]:
            press_return(session, w)


def after_action(before, after, x, y, button, outline_before):
    """What one press did, judged from the board before and after it."""
    outline_after = outline_pixels(after)
    if button == "right":
        return ["turn"] if outline_change(outline_before, outline_after) else []
    if not outline_before:
        return ["pickup"] if outline_after else []
    if not outline_after:
        return ["putdown"]
    if inside_outline(outline_before, x, y):
        return []  # a drag begins
    # A press beside the held triangle puts it down, and may pick up the next;
    # a put-down the game refuses leaves the outline as it was.
    return ["putdown", "pickup"] if outline_change(outline_before, outline_after) else ["refused"]


def click_or_drag(session, points, button):
    require_open(session)
    s = session.state
    if s["outcome"]:
        fail("the trial is over (%s): run `end`" % s["outcome"])
    for x, y in points:
        check_point(session, x, y)
    left, top, _, _, _ = session.board_rect()
    before = session.settled_board(quiet=0.1)
    outline_before = outline_pixels(before)
    s["actions"] += 1
    x0, y0 = points[0]
    session.xdotool("mousemove", "--sync", left + x0, top + y0)
    number = 3 if button == "right" else 1
    events = []
    if len(points) == 1:
        session.xdotool("click", number)
        after = session.settled_board(before.rows)
        events = after_action(before, after, x0, y0, button, outline_before)
        for e in events:
            session.record(e, x0, y0)
    else:
        session.xdotool("mousedown", 1)
        pressed = session.settled_board(before.rows, wait_change=0.4, quiet=0.1)
        events = after_action(before, pressed, x0, y0, "left", outline_before)
        for e in events:
            session.record(e, x0, y0)
        last = outline_pixels(pressed)
        for x, y in points[1:]:
            previous = session.board().rows
            session.xdotool("mousemove", "--sync", left + x, top + y)
            now = session.settled_board(previous, wait_change=0.25, quiet=0.06)
            outline = outline_pixels(now)
            change = outline_change(last, outline)
            if change:
                session.record(change, x, y)
                events.append(change)
            last = outline
        session.xdotool("mouseup", 1)
        session.settled_board(quiet=0.1)
    if solved_now(session):
        s["outcome"] = "solved"
        session.record("solved")
        close_solved_message(session)
    session.save()
    summary = ", ".join(events) if events else "nothing changed"
    print("%s. Run `look` to see the board." % summary)
    if s["outcome"] == "solved":
        print("The figure is solved. Run `end`.")


def command_drag(session, x1, y1, x2, y2, steps):
    steps = max(1, min(steps, 200))
    points = [(round(x1 + (x2 - x1) * k / steps), round(y1 + (y2 - y1) * k / steps))
              for k in range(steps + 1)]
    click_or_drag(session, points, "left")


def command_release(session):
    require_open(session)
    session.xdotool("mouseup", 1, check=False)
    session.xdotool("mouseup", 3, check=False)
    print("buttons released")


def summary_line(state, seconds):
    t = state["totals"]
    values = [state["trial"], state["kind"], state["player"], state["figure"],
              state["outcome"] or "abandoned", "%.1f" % seconds, t["putdown"], t["pickup"],
              t["turn"], t["move"], t["refused"], state["actions"], state["looks"]]
    return "\t".join(map(str, values)) + "\n"


def command_end(session, giveup):
    if not session.state or not session.state.get("open"):
        fail("no trial is open for %s" % session.player)
    s = session.state
    if not s.get("game_pid") or not s.get("trial"):
        # The start gave up half way: its X server, window manager and game may still run.
        stop_processes(s)
        s["open"] = False
        session.save()
        print("The trial never started; its processes are stopped.")
        return
    if not s["outcome"] and alive(s["game_pid"]) and solved_now(session):
        s["outcome"] = "solved"
        session.record("solved")
    if giveup and not s["outcome"]:
        s["outcome"] = "gaveup"
        session.record("giveup")
    seconds = time.time() - s["started"]
    session.record("end", detail=s["outcome"] or "abandoned")
    table = TRIALS / ("pilot.tsv" if s["kind"] == "pilot" else "trials.tsv")
    table.parent.mkdir(parents=True, exist_ok=True)
    line = summary_line(s, seconds)
    fd = os.open(table, os.O_WRONLY | os.O_CREAT | os.O_APPEND, 0o644)
    try:
        if os.fstat(fd).st_size == 0:
            os.write(fd, ("\t".join(SUMMARY_FIELDS) + "\n").encode())
        os.write(fd, line.encode())
    finally:
        os.close(fd)
    stop_processes(s)
    s["open"] = False
    session.save()
    print("Trial ended: %s after %.0f s, %d put-downs." % (
        s["outcome"] or "abandoned", seconds, s["totals"]["putdown"]))


def main():
    parser = argparse.ArgumentParser(description="One trial player's figure in the real game.")
    parser.add_argument("--player", default=os.environ.get("TRIAL_PLAYER", ""))
    parser.add_argument("--game", default="", help="the game program (build/fribo-trigonet)")
    sub = parser.add_subparsers(dest="command", required=True)
    p = sub.add_parser("start")
    p.add_argument("figure", type=int)
    p.add_argument("--pilot", action="store_true", help="a run by someone who knows the figures")
    sub.add_parser("look")
    p = sub.add_parser("press")
    p.add_argument("x", type=int)
    p.add_argument("y", type=int)
    p.add_argument("button", nargs="?", default="left", choices=["left", "right"])
    p = sub.add_parser("drag")
    for name in ("x1", "y1", "x2", "y2"):
        p.add_argument(name, type=int)
    p.add_argument("steps", nargs="?", type=int, default=10)
    sub.add_parser("release")
    sub.add_parser("giveup")
    sub.add_parser("end")
    a = parser.parse_args()
    session = Session(a.player)
    if a.command == "start":
        if not 1 <= a.figure <= 222:
            fail("figures are numbered 1..222")
        command_start(session, a.figure, a.pilot, a.game)
    elif a.command == "look":
        command_look(session)
    elif a.command == "press":
        click_or_drag(session, [(a.x, a.y)], a.button)
    elif a.command == "drag":
        command_drag(session, a.x1, a.y1, a.x2, a.y2, a.steps)
    elif a.command == "release":
        command_release(session)
    else:
        command_end(session, a.command == "giveup")


if __name__ == "__main__":
    main()
