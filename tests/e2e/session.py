#!/usr/bin/env python3
"""A seeded random play session against the game (QIRA_BIN) in folder DIR on
$DISPLAY: presses and releases of fire keys, arrows and letters, Escape, F11
and now and then a closed window. After every step the game must be alive or
have ended with status 0, the credit line and no sanitizer report; a game
that ended is started again. Each visit to the selection screen must begin
with nobody claimed, and a fight may start only after both players were seen
claimed in that visit. Usage: session.py DIR REFS SEED STEPS CREDIT, REFS a
folder of title.ppm, select.ppm and bg*.ppm (the fight backgrounds)."""
import ctypes as c, glob, os, random, subprocess, sys, time

folder, refs, seed, steps, credit = sys.argv[1:6]
seed, steps = int(seed), int(steps)
rng = random.Random(seed)

def fail(why):
    sys.exit("FAIL (seed %d, step %d): %s" % (seed, step, why))

class XImage(c.Structure):
    _fields_ = [("width", c.c_int), ("height", c.c_int), ("xoffset", c.c_int), ("format", c.c_int),
                ("data", c.c_void_p), ("byte_order", c.c_int), ("bitmap_unit", c.c_int),
                ("bitmap_bit_order", c.c_int), ("bitmap_pad", c.c_int), ("depth", c.c_int),
                ("bytes_per_line", c.c_int), ("bits_per_pixel", c.c_int), ("red_mask", c.c_ulong)]
x, xt = c.CDLL("libX11.so.6"), c.CDLL("libXtst.so.6")
x.XOpenDisplay.restype, x.XGetImage.restype = c.c_void_p, c.POINTER(XImage)
x.XGetImage.argtypes = [c.c_void_p, c.c_ulong, c.c_int, c.c_int, c.c_uint, c.c_uint, c.c_ulong,
                        c.c_int]
x.XDefaultRootWindow.argtypes, x.XDefaultRootWindow.restype = [c.c_void_p], c.c_ulong
x.XStringToKeysym.argtypes, x.XStringToKeysym.restype = [c.c_char_p], c.c_ulong
x.XKeysymToKeycode.argtypes = [c.c_void_p, c.c_ulong]
x.XDestroyImage.argtypes = x.XFlush.argtypes = [c.c_void_p]
xt.XTestFakeKeyEvent.argtypes = [c.c_void_p, c.c_uint, c.c_int, c.c_ulong]
d = c.c_void_p(x.XOpenDisplay(None))
root = x.XDefaultRootWindow(d)

def screen():  # the 320x200 screen as RGB bytes
    img = x.XGetImage(d, root, 0, 0, 320, 200, 0xFFFFFFFF, 2)
    i = img.contents
    if i.bits_per_pixel != 32 or i.red_mask != 0xFF0000 or i.byte_order != 0:
        fail("unexpected screen format")
    raw = c.string_at(i.data, i.bytes_per_line * 200)
    x.XDestroyImage(img)
    rows = b"".join(raw[y * i.bytes_per_line:y * i.bytes_per_line + 1280] for y in range(200))
    rgb = bytearray(64000 * 3)
    rgb[0::3], rgb[1::3], rgb[2::3] = rows[2::4], rows[1::4], rows[0::4]
    return bytes(rgb)

def ppm(path):
    data = open(path, "rb").read()
    return data[len(data) - 192000:]
title, select = ppm(refs + "/title.ppm"), ppm(refs + "/select.ppm")
backgrounds = [ppm(p) for p in glob.glob(refs + "/bg*.ppm")]
rows = lambda s, y0, y1: s[960 * y0:960 * y1]
def ink(s, x0, x1):  # anything but the background in columns x0..x1-1 of the status line
    cut = lambda p, y: p[960 * y + 3 * x0:960 * y + 3 * x1]
    return any(cut(s, y) != cut(select, y) for y in range(192, 200))

def observe():  # ("title" | "select" | "fight" | "other", player 1 claimed, player 2 claimed)
    s = screen()
    if s == title:
        return "title", False, False
    if rows(s, 0, 10) == rows(select, 0, 10):
        # Where "hit fire" has ink and "ready" has none: columns 130..145 and 177..199.
        return "select", not ink(s, 130, 146), not ink(s, 177, 200)
    if any(rows(s, 0, 60) == rows(b, 0, 60) for b in backgrounds):
        return "fight", False, False
    return "other", False, False

def key(name, down):
    xt.XTestFakeKeyEvent(d, x.XKeysymToKeycode(d, x.XStringToKeysym(name.encode())), down, 0)
    x.XFlush(d)

game, held, runs = None, set(), 0
def start():
    global game, runs
    for k in list(held):
        key(k, False)
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

class Ev(c.Structure):  # XClientMessageEvent, padded to an XEvent
    _fields_ = [("type", c.c_int), ("serial", c.c_ulong), ("send_event", c.c_int),
                ("display", c.c_void_p), ("window", c.c_ulong), ("message_type", c.c_ulong),
                ("format", c.c_int), ("l", c.c_long * 21)]
x.XInternAtom.argtypes, x.XInternAtom.restype = [c.c_void_p, c.c_char_p, c.c_int], c.c_ulong
x.XSendEvent.argtypes = [c.c_void_p, c.c_ulong, c.c_int, c.c_long, c.c_void_p]

def close_window():  # as a window manager's close button does
    search = ["xdotool", "search", "--pid", str(game.pid)]
    for w in subprocess.run(search, capture_output=True, text=True).stdout.split():
        e = Ev(type=33, window=int(w), format=32, message_type=x.XInternAtom(d, b"WM_PROTOCOLS", 0))
        e.l[0] = x.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
        x.XSendEvent(d, int(w), 0, 0, c.byref(e))
    x.XFlush(d)

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

step, fights = 0, 0
start()
last, p1, p2, claims_seen = "title", False, False, (False, False)
keys = ["Return", "Tab", "a", "Up", "Down", "Left", "space"]
for step in range(1, steps + 1):
    roll = rng.random()
    if roll < 0.01:
        close_window()
    elif roll < 0.04:
        key("Escape", True), time.sleep(0.05), key("Escape", False)
    elif roll < 0.06:
        key("F11", True), time.sleep(0.05), key("F11", False)
    elif held and rng.random() < 0.6:
        k = rng.choice(sorted(held))
        held.discard(k), key(k, False)
    else:
        k = rng.choice(keys)
        held.add(k) if k not in held else held.discard(k)
        key(k, k in held)
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
        fresh = last != "select"
        claims_seen = (False, False) if fresh else (claims_seen[0] or p1, claims_seen[1] or p2)
    if now == "fight" and last == "select":
        if claims_seen != (True, True):
            fail("a fight started without both players seen claimed")
        fights += 1
    last = now
for k in list(held):
    key(k, False)
if game.poll() is None:
    game.terminate()
print("ok: %d steps, %d games, %d fights, seed %d" % (steps, runs, fights, seed))
