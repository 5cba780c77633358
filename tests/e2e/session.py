#!/usr/bin/env python3
"""session.py DIR REFS SEED STEPS CREDIT: seeded random play against the game in DIR (fire
keys, arrows, letters, Escape, F11, a closed window). After every step the game is alive or
ended with status 0, the credit line and no sanitizer report (then it starts again); each visit
to the selection begins unclaimed, and a fight starts only once both players were seen claimed
there. REFS holds title.ppm, select.ppm and bg*.ppm."""
import glob, os, random, subprocess, sys, time
from x11 import close, keys, read

folder, refs, seed, steps, credit = sys.argv[1:6]
seed, steps, step = int(seed), int(steps), 0
rng = random.Random(seed)

fail = lambda why: sys.exit("FAIL (seed %d, step %d): %s" % (seed, step, why))

title, select = read(refs + "/title.ppm"), read(refs + "/select.ppm")
backgrounds = [read(p)[:60] for p in glob.glob(refs + "/bg*.ppm")]
def ink(s, x0, x1):  # anything but the background in columns x0..x1-1 of the status line
    return any(s[y][x0:x1] != select[y][x0:x1] for y in range(192, 200))

def observe():  # ("title" | "select" | "fight" | "other", player 1 claimed, player 2 claimed)
    subprocess.run("xwd -root -silent >screen.xwd", shell=True, check=True)
    s = read("screen.xwd")
    if s == title:
        return "title", False, False
    if s[:10] == select[:10]:
        # Where "hit fire" has ink and "ready" has none: columns 130..145 and 177..199.
        return "select", not ink(s, 130, 146), not ink(s, 177, 200)
    return "fight" if s[:60] in backgrounds else "other", False, False

game, held, runs = None, set(), 0
def start():
    global game, runs
    keys(held, False), held.clear()
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
    report, out = open("game.err").read(), open("game.out").read().strip()
    if game.returncode or "Sanitizer" in report or "runtime error" in report or out != credit:
        fail("ended with status %d, output %r:\n%s" % (game.returncode, out, report[-2000:]))
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
    else:  # mostly let a held key go, else press or let go another
        k = rng.choice(sorted(held) if held and rng.random() < 0.6 else
                       ["Return", "Tab", "a", "Up", "Down", "Left", "space"])
        held.symmetric_difference_update({k}), keys([k], k in held)
    time.sleep(0.05)
    now, p1, p2 = settled() or (start() or "title", False, False)  # ended: start again
    if now == "select" and last != "select" and (p1 or p2):
        fail("the selection screen began with a claim (player 1 %s, player 2 %s)" % (p1, p2))
    if now == "select":
        claims_seen = (p1, p2) if last != "select" else (claims_seen[0] or p1, claims_seen[1] or p2)
    if now == "fight" and last == "select":
        claims_seen == (True, True) or fail("a fight started without both players seen claimed")
        fights += 1
    last = now
keys(held, False)
game.terminate()
print("ok: %d steps, %d games, %d fights, seed %d" % (steps, runs, fights, seed))
