#!/usr/bin/env python3
"""Reads screenshots taken with `xwd -root` (ZPixmap, 24 or 32 bits per pixel)
and answers the end-to-end tests' questions about their pixels.

Commands (coordinates are screen pixels; a COLOUR is r,g,b; a BG is a colour
or a .ppm/.xwd picture of the same screen, compared pixel by pixel):
  ppm SHOT OUT                 write the screenshot as a binary PPM
  pixel SHOT X Y               print the colour at (X, Y)
  diff SHOT REF X Y W H        print how many pixels of the rectangle differ
  uniform SHOT X Y W H         print the colour if all pixels share it, else fail
  frame SHOT X Y W H           check the rectangle's one-pixel outline is one
                               colour; print it
  inkrows SHOT BG X Y W H      print the rows of the rectangle that hold any
                               pixel different from BG
  text SHOT BG X Y TEXT        check that TEXT is drawn as the game's font
                               draws it at (X, Y): ink exactly where the
                               glyphs have bits (from column X + 1), nowhere
                               else in the text's rows, one colour per row
  cell SHOT SHEET X Y N        print the first of the sheet's 60x30 cells
                               0..N-1 (5 to a row) equal to the screen's
                               60x30 rectangle at (X, Y), or -1
Exit status 0 when the check holds, 1 when it does not, 2 on bad usage.
"""
import os
import struct
import sys


class Picture:
    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb  # list of (r, g, b), row by row

    def at(self, x, y):
        return self.rgb[y * self.width + x]


def read_xwd(path):
    with open(path, "rb") as f:
        data = f.read()
    # The header is 25 32-bit words, big-endian when the file says so; xwd
    # writes it in the X server's order, which a sane header_size reveals.
    order = ">"
    (header_size,) = struct.unpack(">I", data[:4])
    if header_size > 0x10000:
        order = "<"
    fields = struct.unpack(order + "25I", data[:100])
    (header_size, _version, pixmap_format, _depth, width, height, _xoff, byte_order, _unit, _bit_order, _pad,
     bits_per_pixel, bytes_per_line, _visual, red_mask, green_mask, blue_mask, _bits_rgb, _cmap_entries,
     ncolors) = fields[:20]
    if pixmap_format != 2:
        raise ValueError("not a ZPixmap screenshot")
    if bits_per_pixel not in (24, 32):
        raise ValueError("unsupported %d bits per pixel" % bits_per_pixel)
    offset = header_size + 12 * ncolors
    step = bits_per_pixel // 8
    endian = "little" if byte_order == 0 else "big"

    def shift(mask):
        s = 0
        while mask and not (mask >> s) & 1:
            s += 1
        return s

    rs, gs, bs = shift(red_mask), shift(green_mask), shift(blue_mask)

    def scale(v, mask, s):
        top = mask >> s
        return v if top == 255 else (v * 255 // top if top else 0)

    rgb = []
    for y in range(height):
        row = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * step]
        for x in range(width):
            p = int.from_bytes(row[x * step: x * step + step], endian)
            rgb.append((scale((p & red_mask) >> rs, red_mask, rs),
                        scale((p & green_mask) >> gs, green_mask, gs),
                        scale((p & blue_mask) >> bs, blue_mask, bs)))
    return Picture(width, height, rgb)


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    tokens = []
    i = 0
    while len(tokens) < 4:
        while data[i:i + 1].isspace():
            i += 1
        if data[i:i + 1] == b"#":
            while data[i:i + 1] not in (b"\n", b""):
                i += 1
            continue
        j = i
        while not data[j:j + 1].isspace():
            j += 1
        tokens.append(data[i:j])
        i = j
    i += 1
    if tokens[0] != b"P6" or tokens[3] != b"255":
        raise ValueError("only binary PPM with 8-bit samples is read")
    width, height = int(tokens[1]), int(tokens[2])
    px = data[i:i + width * height * 3]
    return Picture(width, height, [tuple(px[k:k + 3]) for k in range(0, len(px), 3)])


def read_picture(path):
    return read_ppm(path) if path.endswith(".ppm") else read_xwd(path)


def write_ppm(pic, path):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (pic.width, pic.height))
        f.write(bytes(c for p in pic.rgb for c in p))


def colour(text):
    parts = [int(v) for v in text.split(",")]
    if len(parts) != 3:
        raise ValueError("a colour is r,g,b")
    return tuple(parts)


def background(spec):
    """A function (x, y) -> the colour BG has there."""
    if "," in spec and not os.path.exists(spec):
        c = colour(spec)
        return lambda x, y: c
    pic = read_picture(spec)
    return pic.at


def font():
    source = os.path.join(os.environ.get("QIRA_SOURCE_DIR", "."), "src", "canvas", "vga-8x8.cpp")
    table = []
    with open(source) as f:
        for line in f:
            line = line.split("//")[0]
            for word in line.replace(",", " ").replace("{", " ").replace("}", " ").split():
                if word.startswith("0x"):
                    table.append(int(word, 16))
    if len(table) != 2048:
        raise ValueError("font table in %s has %d bytes" % (source, len(table)))
    return table


def rect_pixels(x, y, w, h):
    for yy in range(y, y + h):
        for xx in range(x, x + w):
            yield xx, yy


def main(argv):
    if len(argv) < 2:
        sys.stderr.write(__doc__)
        return 2
    cmd, args = argv[1], argv[2:]
    if cmd == "ppm" and len(args) == 2:
        write_ppm(read_picture(args[0]), args[1])
        return 0
    if cmd == "pixel" and len(args) == 3:
        print("%d,%d,%d" % read_picture(args[0]).at(int(args[1]), int(args[2])))
        return 0
    if cmd == "diff" and len(args) == 6:
        shot, ref = read_picture(args[0]), background(args[1])
        x, y, w, h = map(int, args[2:])
        print(sum(1 for xx, yy in rect_pixels(x, y, w, h) if shot.at(xx, yy) != ref(xx, yy)))
        return 0
    if cmd == "uniform" and len(args) == 5:
        shot = read_picture(args[0])
        x, y, w, h = map(int, args[1:])
        seen = {shot.at(xx, yy) for xx, yy in rect_pixels(x, y, w, h)}
        if len(seen) != 1:
            print("%d colours" % len(seen))
            return 1
        print("%d,%d,%d" % seen.pop())
        return 0
    if cmd == "frame" and len(args) == 5:
        shot = read_picture(args[0])
        x, y, w, h = map(int, args[1:])
        edge = [(xx, y) for xx in range(x, x + w)] + [(xx, y + h - 1) for xx in range(x, x + w)]
        edge += [(x, yy) for yy in range(y, y + h)] + [(x + w - 1, yy) for yy in range(y, y + h)]
        seen = {shot.at(xx, yy) for xx, yy in edge}
        if len(seen) != 1:
            print("outline has %d colours" % len(seen))
            return 1
        print("%d,%d,%d" % seen.pop())
        return 0
    if cmd == "inkrows" and len(args) == 6:
        shot, bg = read_picture(args[0]), background(args[1])
        x, y, w, h = map(int, args[2:])
        rows = [yy for yy in range(y, y + h) if any(shot.at(xx, yy) != bg(xx, yy) for xx in range(x, x + w))]
        print(" ".join(str(r) for r in rows))
        return 0
    if cmd == "text" and len(args) == 5:
        shot, bg = read_picture(args[0]), background(args[1])
        x, y, text = int(args[2]), int(args[3]), args[4].encode("latin-1")
        table = font()
        problems = []
        for r in range(8):
            inks = set()
            for i, code in enumerate(text):
                bits = table[code * 8 + r]
                for b in range(8):
                    sx, sy = x + 8 * i + 1 + b, y + r
                    want = bool(bits & (0x80 >> b))
                    got = shot.at(sx, sy) != bg(sx, sy)
                    if want != got and len(problems) < 5:
                        problems.append("(%d,%d) %s" % (sx, sy, "no ink" if want else "unexpected ink"))
                    if want:
                        inks.add(shot.at(sx, sy))
            if len(inks) > 1:
                problems.append("row %d has %d ink colours" % (y + r, len(inks)))
        if problems:
            print("text %r at (%d,%d): %s" % (args[4], x, y, "; ".join(problems)))
            return 1
        print("ok")
        return 0
    if cmd == "cell" and len(args) == 5:
        shot, sheet = read_picture(args[0]), read_picture(args[1])
        x, y, n = int(args[2]), int(args[3]), int(args[4])
        for k in range(n):
            cx, cy = 60 * (k % 5), 30 * (k // 5)
            if all(shot.at(x + i, y + j) == sheet.at(cx + i, cy + j) for i, j in rect_pixels(0, 0, 60, 30)):
                print(k)
                return 0
        print(-1)
        return 1
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
