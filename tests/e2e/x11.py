#!/usr/bin/env python3
"""What the end-to-end tests ask of the X server on $DISPLAY (through Xlib and XTest) and of a
screenshot (xwd -root of a 24-bit Xvfb) or PPM, given last; exit status 0 when it holds.
  press KEY...       press the keys in one burst, as two players at one moment
  close WINDOW...    ask the windows to close, as a window manager's close button does
  diff REF X Y W H   print how many pixels of the rectangle differ from REF
  frame X Y W H      print the colour of the rectangle's one-pixel outline, else fail
  text BG X Y TEXT   ink (unlike BG, a picture or r,g,b) exactly where the font puts TEXT at
                     (X, Y) from column X + 1, none 6 columns either side
  scaled REF S X Y   print how many pixels of REF enlarged S times at (X, Y) differ (clipped
                     to the screen), then how many around it are not black; holds if both 0"""
import array, ctypes as c, operator, os, re, struct, sys

x, xt = c.CDLL("libX11.so.6"), c.CDLL("libXtst.so.6")
x.XOpenDisplay.restype = c.c_void_p
x.XStringToKeysym.argtypes, x.XStringToKeysym.restype = [c.c_char_p], c.c_ulong
x.XKeysymToKeycode.argtypes = [c.c_void_p, c.c_ulong]
x.XInternAtom.argtypes, x.XInternAtom.restype = [c.c_void_p, c.c_char_p, c.c_int], c.c_ulong
x.XSendEvent.argtypes = [c.c_void_p, c.c_ulong, c.c_int, c.c_long, c.c_void_p]
x.XFlush.argtypes = [c.c_void_p]
xt.XTestFakeKeyEvent.argtypes = [c.c_void_p, c.c_uint, c.c_int, c.c_ulong]
d = c.c_void_p(x.XOpenDisplay(None))

def keys(names, down):
    for k in names:
        xt.XTestFakeKeyEvent(d, x.XKeysymToKeycode(d, x.XStringToKeysym(k.encode())), down, 0)
    x.XFlush(d)

def close(windows):
    atom = lambda name: x.XInternAtom(d, name, 0)
    for w in map(int, windows):  # an XClientMessageEvent: type, window, message_type, format, l[0]
        e = (c.c_long * 24)(33, 0, 0, 0, w, atom(b"WM_PROTOCOLS"), 32, atom(b"WM_DELETE_WINDOW"))
        x.XSendEvent(d, w, 0, 0, c.byref(e))
    x.XFlush(d)

def read(path):  # rows of 0xRRGGBB
    data = open(path, "rb").read()
    m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    if m:  # red first
        w, height, step, off, blue = int(m[1]), int(m[2]), 3, m.end(), 2
        line = 3 * w
    else:  # the header's byte order is the writer's; a sane header size tells which
        order = ">" if struct.unpack(">I", data[:4])[0] < 0x10000 else "<"
        h = struct.unpack(order + "25I", data[:100])
        # 32 bits a pixel, or 24 where xwd merges windows of different visuals; blue first
        w, height, step, off, line, blue = h[4], h[5], h[11] // 8, h[0] + 12 * h[19], h[12], 0
        if h[2] != 2 or step not in (3, 4) or h[7] != 0 or h[14:17] != (0xFF0000, 0xFF00, 0xFF):
            sys.exit("unsupported screenshot %s" % path)
    rows = []
    for y in range(height):
        raw, px = data[off + y * line:off + y * line + step * w], bytearray(4 * w)
        px[0::4], px[1::4], px[2::4] = raw[blue::step], raw[1::step], raw[2 - blue::step]
        rows.append(array.array("I", px))
    return rows

def area(x, y, w, h):
    return [(i, j) for j in range(y, y + h) for i in range(x, x + w)]

def main(cmd, a, s):
    if cmd == "frame":
        x, y, w, h = map(int, a)
        seen = {s[j][i] for i, j in area(x, y, w, h) if i in (x, x + w - 1) or j in (y, y + h - 1)}
        p = seen.pop() if len(seen) == 1 else sys.exit("%d colours" % len(seen))
        return print("%d,%d,%d" % (p >> 16, p >> 8 & 255, p & 255))
    if "," in a[0]:  # a plain colour
        r, g, b = map(int, a[0].split(","))
        ref = [[r << 16 | g << 8 | b] * len(s[0])] * len(s)
    else:
        ref = read(a[0])
    if cmd == "scaled":
        (k, x0, y0), sw, rw, rh = map(int, a[1:]), len(s[0]), len(ref[0]), len(ref)
        big = [array.array("I", (p for p in r for _ in range(k))) for r in ref]
        lo, hi = max(0, x0), min(sw, x0 + rw * k)  # the picture's columns on screen
        diff = dark = 0
        for y, row in enumerate(s):
            if y0 <= y < y0 + rh * k and lo < hi:
                diff += sum(map(operator.ne, row[lo:hi], big[(y - y0) // k][lo - x0:hi - x0]))
                dark += lo + sw - hi - row[:lo].count(0) - row[hi:].count(0)
            else:
                dark += sw - row.count(0)
        print(diff, dark)
        sys.exit(diff or dark)
    elif cmd == "diff":
        print(sum(s[j][i] != ref[j][i] for i, j in area(*map(int, a[1:]))))
    elif cmd == "text":
        x, y, text = int(a[1]), int(a[2]), a[3].encode("latin-1")
        src = open(os.path.join(os.environ["QIRA_SOURCE_DIR"], "src/canvas/vga-8x8.cpp")).read()
        font = [int(v, 16) for v in re.findall(r"0x[0-9A-Fa-f]+", re.sub(r"//.*", "", src))]
        bad = []
        for j in range(y, y + 8):
            for i in range(max(0, x - 5), min(len(s[0]), x + 7 + 8 * len(text))):
                k, bit = divmod(i - x - 1, 8)  # a glyph, or blank for 6 columns either side
                want = 0 <= k < len(text) and font[text[k] * 8 + j - y] & 0x80 >> bit != 0
                if want != (s[j][i] != ref[j][i]):
                    bad.append("(%d,%d) %s" % (i, j, "no ink" if want else "stray ink"))
        print("; ".join(bad[:5]) or "ok")
        sys.exit(bool(bad))
    else:
        sys.exit(__doc__)

if __name__ == "__main__":
    cmd, a = sys.argv[1], sys.argv[2:]
    if cmd in ("press", "close"):
        keys(a, True) if cmd == "press" else close(a)
    else:
        main(cmd, a[:-1], read(a[-1]))
