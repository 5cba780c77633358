#!/bin/bash
# A PI1 title made by qira-kit shows pixel for pixel in the ST's colours. With
# no fighter set, fire on it boxes "You can't play the QIRA" / "No fighters
# were found" over the title; fire again ends the game with status 0. Escape
# on the title ends it the same way.
source "$(dirname "$0")/lib.sh"
mkdir "$work/game"
# Sixteen ST colours, a different entry from each pixel to the next and from
# one 16-pixel group to the next, so a shifted pixel, plane or group shows.
python3 - "$work/title.ppm" <<'PY'
import sys
lv = [0, 36, 73, 109, 146, 182, 219, 255]
col = [bytes((lv[i % 8], lv[i * 3 % 8], lv[7 - i // 2])) for i in range(16)]
px = b"".join(col[(x * 7 + y * 3 + x // 16) % 16] for y in range(200) for x in range(320))
open(sys.argv[1], "wb").write(b"P6\n320 200\n255\n" + px)
PY
decode "$work/title.ppm" "$work/game/velmorea.pi1"
inside=0,0,255 # the first pixel's colour, which qira-kit puts in entry 0

start_x
start_game "$work/game"
wait_screen 10 same "$work/title.ppm" || fail "the title differs in $(px diff "$work/title.ppm" 0 0 320 200 "$shot") pixels"
pass "title shown pixel for pixel"

key Return
# Lines of 23 and 22 characters: the border at (60, 82) of 200x36, line 1 at x 68, line 2 at x 72.
wait_screen 10 px frame 60 82 200 36 || fail "no message box after fire on the title"
border=$(px frame 60 82 200 36 "$shot") && entry21 "$border" || fail "the border is $border, not entry 21"
# Inside the box off the glyphs (above, between, below, left, right): entry 0.
for r in "61 83 198 7" "61 98 198 4" "61 110 198 7" "61 90 8 8" "253 90 6 8" "61 102 12 8" "249 102 10 8"; do
  [ "$(px uniform $r "$shot")" = "$inside" ] || fail "the box's inside ($r) is not entry 0's colour"
done
out=$(px text "$inside" 68 90 "You can't play the QIRA" "$shot") || fail "line 1: $out"
out=$(px text "$inside" 72 102 "No fighters were found" "$shot") || fail "line 2: $out"
for r in "0 0 320 82" "0 118 320 82" "0 82 60 36" "260 82 60 36"; do
  [ "$(px diff "$work/title.ppm" $r "$shot")" = 0 ] || fail "the title changed outside the box ($r)"
done
pass "the message box: border ($border), inside, both lines, the title around it"

key Return
expect_end 0
pass "fire on the message ends the game with status 0 and the credit line"

start_game "$work/game"
wait_screen 10 same "$work/title.ppm" || fail "the title is not shown the second time"
key Escape
expect_end 0
pass "Escape on the title ends the game with status 0 and the credit line"
