#!/bin/bash
# A set whose sheet is missing: once both players claim, the box says "Failed
# to load nosuch.pi1" / "Unable to open file". Closing the window there, as a
# window manager would, ends the game with status 0 and the credit line.
source "$(dirname "$0")/lib.sh"
demo "$work/demo"
mkdir "$work/game"
cp "$work/demo/velmorea.pi1" "$work/demo/qiratex1.pi1" "$work/demo/temple.pi1" "$work/game/"
printf 'Broken Set\ntemple.pi1\nnosuch.pi1\n3\n-\n0\n' >"$work/game/broken.dat"
decode "$work/game/velmorea.pi1" "$work/title.ppm"

start_x
start_game "$work/game"
wait_screen 10 same "$work/title.ppm" || fail "the title is not shown"
key Return
wait_screen 10 px frame 0 10 320 10 || fail "no selection screen"
key Return
key Tab
# Lines of 25 and 19 characters: the border at (52, 82) of 216x36, the
# selection's entry 0 (black) inside, line 1 at x 60, line 2 at x 84.
wait_screen 10 px text 0,0,0 60 90 "Failed to load nosuch.pi1" || fail "line 1: $(px text 0,0,0 60 90 "Failed to load nosuch.pi1" "$shot")"
out=$(px text 0,0,0 84 102 "Unable to open file" "$shot") || fail "line 2: $out"
entry21 "$(px frame 52 82 216 36 "$shot")" || fail "the box's border is not entry 21"
pass "the message box names the missing sheet and the loader's reason"

close_window
expect_end 0
pass "closing the window ends the game with status 0 and the credit line"
