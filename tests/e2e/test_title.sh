#!/bin/bash
# The title picture is shown pixel for pixel in the colours its PI1 palette
# gives; Escape on the title ends the game at once, with status 0 and the
# credit line.
source "$(dirname "$0")/lib.sh"

folder="$e2e_work/game"
mkdir -p "$folder"
# Sixteen colours on the ST's levels in stripes, blocks and single-pixel
# checks, so a shifted row, a swapped plane or a wrong palette entry shows.
python3 - "$e2e_work/title.ppm" <<'PY'
import sys
levels = [0, 36, 73, 109, 146, 182, 219, 255]
colours = [(levels[(i * 5) % 8], levels[(i * 3 + 1) % 8], levels[(7 - i) % 8]) for i in range(16)]
rows = []
for y in range(200):
    for x in range(320):
        if y < 60:
            c = colours[x // 20]                       # 16 stripes, 20 wide
        elif y < 120:
            c = colours[((x // 16) + (y - 60) // 15) % 16]  # blocks
        elif y < 160:
            c = colours[(x + y) % 2 * 15]              # single-pixel checks
        else:
            c = colours[(x * 7 + y * 3) % 16]          # a different index each pixel
        rows.append(bytes(c))
with open(sys.argv[1], "wb") as f:
    f.write(b"P6\n320 200\n255\n" + b"".join(rows))
PY
e2e_decode "$e2e_work/title.ppm" "$folder/velmorea.pi1"

e2e_start_x
e2e_start_game "$folder"
shot=$(e2e_wait_screen 10 e2e_same "$e2e_work/title.ppm") ||
  fail "the title differs from the picture in $(px diff "$shot" "$e2e_work/title.ppm" 0 0 320 200) pixels"
pass "title shown pixel for pixel"

e2e_key Escape
e2e_wait_exit 10
e2e_expect_end 0
pass "Escape on the title ends the game with status 0 and the credit line"
