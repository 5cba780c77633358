#!/usr/bin/env python3
"""The end-to-end tests' questions about a screenshot (xwd -root of a 24-bit Xvfb) or PPM,
given last. Exit status 0 when the check holds.
  diff REF X Y W H   print how many pixels of the rectangle differ from REF
  frame X Y W H      print the colour (r,g,b) of the rectangle's one-pixel outline, else fail
  text BG X Y TEXT   ink (unlike BG, a picture or r,g,b) exactly where the font puts TEXT at
                     (X, Y), from column X + 1, none 6 columns either side; one ink per row
  cell SHEET X Y N   print which of SHEET's 60x30 cells 0..N-1 (5 a row) is shown at (X, Y)
  scaled REF S X Y   print the pixels of REF enlarged S times at (X, Y) that differ (clipped
                     to the screen), then the pixels around it that are not black; holds
                     when both are 0"""
import array, operator, os, re, struct, sys

def read(path):  # rows of 0xRRGGBB
    data = open(path, "rb").read()
    m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    if m:
        w, h, rgb = int(m[1]), int(m[2]), data[m.end():]
        px = bytearray(4 * w * h)
        px[0::4], px[1::4], px[2::4] = rgb[2::3], rgb[1::3], rgb[0::3]
        return [array.array("I", px[4 * w * y:4 * w * (y + 1)]) for y in range(h)]
    # The header's byte order is the writer's; a sane header size tells which.
    order = ">" if struct.unpack(">I", data[:4])[0] < 0x10000 else "<"
    h = struct.unpack(order + "25I", data[:100])
    # 32 bits a pixel, or 24 where xwd merges windows of different visuals; blue first
    step, off, line, w = h[11] // 8, h[0] + 12 * h[19], h[12], h[4]
    if h[2] != 2 or step not in (3, 4) or h[7] != 0 or h[14:17] != (0xFF0000, 0xFF00, 0xFF):
        sys.exit("unsupported screenshot %s" % path)
    rows = []
    for y in range(h[5]):
        raw, px = data[off + y * line:off + y * line + step * w], bytearray(4 * w)
        px[0::4], px[1::4], px[2::4] = raw[0::step], raw[1::step], raw[2::step]
        rows.append(array.array("I", px))
    return rows

def area(x, y, w, h):
    return [(i, j) for j in range(y, y + h) for i in range(x, x + w)]
rgb = lambda p: "%d,%d,%d" % (p >> 16, p >> 8 & 255, p & 255)

cmd, a, s = sys.argv[1], sys.argv[2:-1], read(sys.argv[-1])
if cmd == "scaled":
    ref, (k, x0, y0) = read(a[0]), map(int, a[1:])
    sw, rw, rh = len(s[0]), len(ref[0]), len(ref)
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
    ref = read(a[0])
    print(sum(s[j][i] != ref[j][i] for i, j in area(*map(int, a[1:]))))
elif cmd == "frame":
    x, y, w, h = map(int, a)
    seen = {s[j][i] for i, j in area(x, y, w, h) if i in (x, x + w - 1) or j in (y, y + h - 1)}
    print(rgb(next(iter(seen))) if len(seen) == 1 else "%d colours" % len(seen))
    sys.exit(len(seen) != 1)
elif cmd == "text":
    colour = lambda r, g, b: [[int(r) << 16 | int(g) << 8 | int(b)] * 320] * 200
    ref = read(a[0]) if os.path.exists(a[0]) else colour(*a[0].split(","))
    x, y, text = int(a[1]), int(a[2]), a[3].encode("latin-1")
    src = open(os.path.join(os.environ["QIRA_SOURCE_DIR"], "src/canvas/vga-8x8.cpp")).read()
    font = [int(v, 16) for v in re.findall(r"0x[0-9A-Fa-f]+", re.sub(r"//.*", "", src))]
    assert len(font) == 2048, "the font table has %d bytes" % len(font)
    bad = []
    for j in range(y, y + 8):
        inks = set()
        for i in range(max(0, x - 5), min(len(s[0]), x + 7 + 8 * len(text))):
            k = (i - x - 1) // 8  # a glyph, or blank for 6 columns either side
            want = 0 <= k < len(text) and font[text[k] * 8 + j - y] & 0x80 >> (i - x - 1) % 8 != 0
            if want != (s[j][i] != ref[j][i]):
                bad.append("(%d,%d) %s" % (i, j, "no ink" if want else "stray ink"))
            inks |= {s[j][i]} if want else set()
        bad += ["row %d in %d colours" % (j, len(inks))] if len(inks) > 1 else []
    print("; ".join(bad[:5]) or "ok")
    sys.exit(bool(bad))
elif cmd == "cell":
    sheet, (x, y, n) = read(a[0]), map(int, a[1:])
    shows = lambda k: all(s[y + j][x + i] == sheet[30 * (k // 5) + j][60 * (k % 5) + i]
                          for i, j in area(0, 0, 60, 30))
    k = next((k for k in range(n) if shows(k)), -1)
    print(k)
    sys.exit(k < 0)
else:
    sys.exit(__doc__)
