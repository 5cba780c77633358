#!/usr/bin/env python3
"""The end-to-end tests' questions about a screenshot (xwd -root, ZPixmap at
24 or 32 bits) or PPM, given last. Exit status 0 when the check holds.
  ppm OUT            write SHOT as a binary PPM
  diff REF X Y W H   print how many pixels of the rectangle differ from REF
  uniform X Y W H    print the rectangle's one colour (r,g,b), else fail
  frame X Y W H      the same for the rectangle's one-pixel outline
  text BG X Y TEXT   ink (unlike BG, a picture or r,g,b) exactly where the font
                     puts TEXT at (X, Y), from column X + 1, none 6 columns
                     either side; one ink colour per row
  cell SHEET X Y N   print which of SHEET's 60x30 cells 0..N-1 (5 a row) is
                     shown at (X, Y), else fail
  scaled REF S X Y   print the pixels of REF enlarged S times at (X, Y) that
                     differ (clipped to the screen), then the pixels around it
                     that are not black; holds when both are 0"""
import array, operator, os, re, struct, sys

def read(path):  # rows of (r, g, b)
    data = open(path, "rb").read()
    m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    if m:
        w, h, px = int(m[1]), int(m[2]), data[m.end():]
        return [[tuple(px[3 * (y * w + x):3 * (y * w + x) + 3]) for x in range(w)] for y in range(h)]
    # The header's byte order is the writer's; a sane header size tells which.
    h = struct.unpack((">" if struct.unpack(">I", data[:4])[0] < 0x10000 else "<") + "25I", data[:100])
    size, fmt, w, ht, order, bpp, line, masks, ncolors = h[0], h[2], h[4], h[5], h[7], h[11], h[12], h[14:17], h[19]
    if fmt != 2 or bpp not in (24, 32):
        sys.exit("unsupported screenshot " + path)
    off, step, shifts = size + 12 * ncolors, bpp // 8, [(m & -m).bit_length() - 1 for m in masks]
    colour = {}  # a screen holds few distinct values: convert each once
    def pixel(p):
        if p not in colour:
            colour[p] = tuple(((p & m) >> s) * 255 // (m >> s) for m, s in zip(masks, shifts))
        return colour[p]
    if bpp == 32 and order == 0 and line % 4 == 0:
        words = memoryview(data[off:off + ht * line]).cast("I")
        return [[pixel(p) for p in words[y * line // 4:y * line // 4 + w]] for y in range(ht)]
    return [[pixel(int.from_bytes(data[off + y * line + x * step:off + y * line + (x + 1) * step],
                                  "little" if order == 0 else "big")) for x in range(w)] for y in range(ht)]

def int_rows(path):  # rows of 0xRRGGBB; quick for the usual 32-bit screenshot
    data = open(path, "rb").read()
    h = None if data[:2] == b"P6" else \
        struct.unpack((">" if struct.unpack(">I", data[:4])[0] < 0x10000 else "<") + "25I", data[:100])
    if not h or h[11] != 32 or h[7] != 0 or h[14:17] != (0xFF0000, 0xFF00, 0xFF) or sys.byteorder != "little":
        return [array.array("I", (r << 16 | g << 8 | b for r, g, b in row)) for row in read(path)]
    off, line, w = h[0] + 12 * h[19], h[12], h[4]
    rows = []
    for y in range(h[5]):
        raw = bytearray(data[off + y * line:off + y * line + 4 * w])
        raw[3::4] = bytes(w)
        rows.append(array.array("I", bytes(raw)))
    return rows

def area(x, y, w, h):
    return [(i, j) for j in range(y, y + h) for i in range(x, x + w)]

cmd, a = sys.argv[1], sys.argv[2:-1]
if cmd == "scaled":
    ref, (k, x0, y0), rows = int_rows(a[0]), map(int, a[1:]), int_rows(sys.argv[-1])
    sw, rw, rh = len(rows[0]), len(ref[0]), len(ref)
    big = [array.array("I", (p for p in r for _ in range(k))) for r in ref]
    lo, hi = max(0, x0), min(sw, x0 + rw * k)  # the picture's columns on screen
    diff = dark = 0
    for y, row in enumerate(rows):
        if y0 <= y < y0 + rh * k and lo < hi:
            diff += sum(map(operator.ne, row[lo:hi], big[(y - y0) // k][lo - x0:hi - x0]))
            dark += lo + sw - hi - row[:lo].count(0) - row[hi:].count(0)
        else:
            dark += sw - row.count(0)
    print(diff, dark)
    sys.exit(diff or dark)
s = read(sys.argv[-1])
if cmd == "ppm":
    open(a[0], "wb").write(b"P6\n%d %d\n255\n" % (len(s[0]), len(s)) + bytes(c for row in s for p in row for c in p))
elif cmd == "diff":
    ref = read(a[0])
    print(sum(s[j][i] != ref[j][i] for i, j in area(*map(int, a[1:]))))
elif cmd in ("uniform", "frame"):
    x, y, w, h = map(int, a)
    edge = lambda i, j: cmd == "uniform" or i in (x, x + w - 1) or j in (y, y + h - 1)
    seen = {s[j][i] for i, j in area(x, y, w, h) if edge(i, j)}
    print(",".join(map(str, next(iter(seen)))) if len(seen) == 1 else "%d colours" % len(seen))
    sys.exit(len(seen) != 1)
elif cmd == "text":
    ref = read(a[0]) if os.path.exists(a[0]) else [[tuple(map(int, a[0].split(",")))] * 320] * 200
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
    k = next((k for k in range(n) if all(s[y + j][x + i] == sheet[30 * (k // 5) + j][60 * (k % 5) + i]
                                         for i, j in area(0, 0, 60, 30))), -1)
    print(k)
    sys.exit(k < 0)
else:
    sys.exit(__doc__)
