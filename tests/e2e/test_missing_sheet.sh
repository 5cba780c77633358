#!/bin/bash
# A set whose sheet file is missing: once both players have claimed, the
# fight screen reports "Failed to load nosuch.pi1" / "Unable to open file" in
# the message box; fire goes back to the selection, Escape ends the game.
source "$(dirname "$0")/lib.sh"

e2e_demo "$e2e_work/demo"
folder="$e2e_work/game"
mkdir -p "$folder"
cp "$e2e_work/demo/velmorea.pi1" "$e2e_work/demo/qiratex1.pi1" "$e2e_work/demo/temple.pi1" "$folder/"
printf 'Broken Set\ntemple.pi1\nnosuch.pi1\n3\n-\n0\n' >"$folder/broken.dat"
e2e_decode "$folder/velmorea.pi1" "$e2e_work/title.ppm"
e2e_decode "$folder/qiratex1.pi1" "$e2e_work/select.ppm"
select_bg="$e2e_work/select.ppm"
# The box is drawn over the selection screen, whose palette entry 0 is black.
inside=0,0,0

e2e_start_x
e2e_start_game "$folder"
shot=$(e2e_wait_screen 10 e2e_same "$e2e_work/title.ppm") || fail "the title is not shown"
e2e_key Return
selection() { px frame "$1" 0 10 320 10 >/dev/null && px text "$1" "$select_bg" 10 11 "Broken Set" >/dev/null; }
shot=$(e2e_wait_screen 10 selection) || fail "no selection screen"
e2e_key Return
e2e_key Tab

# Lines of 25 and 19 characters: w = 200, half = 108, the border at (52, 82)
# of 216x36, line 1 at x 60, line 2 at x 84.
box_shown() { px frame "$1" 52 82 216 36 >/dev/null && px uniform "$1" 53 83 214 7 >/dev/null; }
shot=$(e2e_wait_screen 10 box_shown) || fail "no message box after the claims"
border=$(px frame "$shot" 52 82 216 36)
colour=$(px uniform "$shot" 53 83 214 7)
[ "$colour" = "$inside" ] || fail "the box's inside is $colour, not entry 0's $inside"
[ "$border" != "$inside" ] || fail "the border has the inside's colour"
out=$(px text "$shot" "$inside" 60 90 "Failed to load nosuch.pi1") || fail "line 1: $out"
out=$(px text "$shot" "$inside" 84 102 "Unable to open file") || fail "line 2: $out"
pass "the message box names the missing sheet and the loader's reason"

e2e_key Return
shot=$(e2e_wait_screen 10 selection) || fail "fire on the message did not return to the selection"
out=$(px text "$shot" "$select_bg" 8 192 "Player 1 hit fire") || fail "the claims were not reset: $out"
pass "fire returns to the selection"

e2e_key Escape
e2e_wait_exit 10
e2e_expect_end 0
pass "Escape ends the game with status 0 and the credit line"
