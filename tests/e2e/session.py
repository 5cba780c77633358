#!/usr/bin/env python3
"""session.py DIR REFS SEED STEPS CREDIT: a seeded random play session against the game in DIR
(fire keys, arrows, letters, Escape, F11, now and then a closed window). After every step the
game is alive or ended with status 0, the credit line and no sanitizer report (then it starts
again); each visit to the selection begins with nobody claimed, and a fight starts only after
both players were seen claimed there. REFS holds title.ppm, select.ppm and bg*.ppm."""
import glob, os, random, subprocess, sys, time
from xclient import close, keys, screen

folder, refs, seed, steps, credit = sys.argv[1:6]
seed, steps, step = int(seed), int(steps), 0
rng = random.Random(seed)

def fail(why):
    sys.exit("FAIL (seed %d, step %d): %s" % (seed, step, why))

ppm = lambda path: open(path, "rb").read()[-192000:]
title, select = ppm(refs + "/title.ppm"), ppm(refs + "/select.ppm")
backgrounds = [ppm(p) for p in glob.glob(refs + "/bg*.ppm")]
rows = lambda s, y0, y1: s[960 * y0:960 * y1]
def ink(s, x0, x1):  # anything but the background in columns x0..x1-1 of the status line
    cut = lambda p, y: p[960 * y + 3 * x0:960 * y + 3 * x1]
    return any(cut(s, y) != cut(select, y) for y in range(192, 200))

def observe():  # ("title" | "select" | "fight" | "other", player 1 claimed, player 2 claimed)
    s = screen() or fail("unexpected screen format")
    if s == title:
        return "title", False, False
    if rows(s, 0, 10) == rows(select, 0, 10):
        # Where "hit fire" has ink and "ready" has none: columns 130..145 and 177..199.
        return "select", not ink(s, 130, 146), not ink(s, 177, 200)
    fight = any(rows(s, 0, 60) == rows(b, 0, 60) for b in backgrounds)
    return "fight" if fight else "other", False, False

game, held, runs = None, set(), 0
def start():
    global game, runs
    keys(held, False)
    held.clear()
    runs += 1
    out, err = open("game.out", "w"), open("game.err", "w")
    game = subprocess.Popen([os.environ["QIRA_BIN"]], cwd=folder, stdout=out, stderr=err,
                            env=dict(os.environ, SDL_VIDEODRIVER="x11"))
    for _ in range(200):
        if game.poll() is None and observe()[0] == "title":
            return
        time.sleep(0.05)
    fail("the title did not appear (status %s)" % game.poll())

def ended():
    if game.poll() is None:
        return False
    report = open("game.err").read()
    if game.returncode != 0 or "Sanitizer" in report or "runtime error" in report:
        fail("the game ended with status %d:\n%s" % (game.returncode, report[-2000:]))
    if open("game.out").read().strip() != credit:
        fail("the output is not the credit line")
    return True

def settled():  # the screen once the game has taken the step in: the same twice in a row
    seen = None
    for _ in range(60):
        if ended():
            return None
        now = observe()
        if now == seen and now[0] != "other":
            return now
        seen = now
        time.sleep(0.05)
    fail("the screen settles on none of title, selection and fight")

fights, last, claims_seen = 0, "title", (False, False)
start()
for step in range(1, steps + 1):
    roll = rng.random()
    if roll < 0.01:
        search = ["xdotool", "search", "--pid", str(game.pid)]
        close(subprocess.run(search, capture_output=True, text=True).stdout.split())
    elif roll < 0.06:
        k = "Escape" if roll < 0.04 else "F11"
        keys([k], True), time.sleep(0.05), keys([k], False)
    elif held and rng.random() < 0.6:
        k = rng.choice(sorted(held))
        held.discard(k), keys([k], False)
    else:
        k = rng.choice(["Return", "Tab", "a", "Up", "Down", "Left", "space"])
        held.add(k) if k not in held else held.discard(k)
        keys([k], k in held)
    time.sleep(0.05)
    now = settled()
    if now is None:
        start()
        last = "title"
        continue
    now, p1, p2 = now
    if now == "select" and last != "select" and (p1 or p2):
        fail("the selection screen began with a claim (player 1 %s, player 2 %s)" % (p1, p2))
    if now == "select":
        claims_seen = (p1, p2) if last != "select" else (claims_seen[0] or p1, claims_seen[1] or p2)
    if now == "fight" and last == "select":
        if claims_seen != (True, True):
            fail("a fight started without both players seen claimed")
        fights += 1
    last = now
keys(held, False)
if game.poll() is None:
    game.terminate()
print("ok: %d steps, %d games, %d fights, seed %d" % (steps, runs, fights, seed))
