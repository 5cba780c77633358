#!/bin/bash
# With a title and no fighter set, fire on the title brings up the boxed
# message "You can't play the QIRA" / "No fighters were found" over the
# title; fire again ends the game with status 0 and the credit line.
source "$(dirname "$0")/lib.sh"

e2e_demo "$e2e_work/demo"
folder="$e2e_work/game"
mkdir -p "$folder"
cp "$e2e_work/demo/velmorea.pi1" "$folder/"
e2e_decode "$folder/velmorea.pi1" "$e2e_work/title.ppm"
# The demo title's palette entry 0, which the box's inside shows, is black.
inside=0,0,0

e2e_start_x
e2e_start_game "$folder"
shot=$(e2e_wait_screen 10 e2e_same "$e2e_work/title.ppm") || fail "the title is not shown"

# Lines of 23 and 22 characters: w = 184, the border at (60, 82) of 200x36.
box_shown() { px frame "$1" 60 82 200 36 >/dev/null && px uniform "$1" 61 83 198 7 >/dev/null; }
e2e_key Return
shot=$(e2e_wait_screen 10 box_shown) || fail "no message box after fire on the title"

border=$(px frame "$shot" 60 82 200 36) || fail "the box's border is not one colour: $border"
# Inside the box, above, between and below the lines: entry 0's colour.
for band in "83 7" "98 4" "110 7"; do
  set -- $band
  colour=$(px uniform "$shot" 61 "$1" 198 "$2") || fail "rows $1.. of the box are not one colour"
  [ "$colour" = "$inside" ] || fail "the box's inside is $colour, not palette entry 0's $inside"
done
[ "$border" != "$inside" ] || fail "the border has the inside's colour"
# Left and right of the lines, inside the box.
[ "$(px inkrows "$shot" "$inside" 61 90 7 20)" = "" ] || fail "ink left of the lines"
[ "$(px inkrows "$shot" "$inside" 253 90 6 20)" = "" ] || fail "ink right of the lines"
pass "box border at (60,82)-(259,117) in one colour ($border) around an inside of entry 0's colour"

out=$(px text "$shot" "$inside" 68 90 "You can't play the QIRA") || fail "line 1 is not drawn as expected: $out"
out=$(px text "$shot" "$inside" 72 102 "No fighters were found") || fail "line 2 is not drawn as expected: $out"
pass "both lines drawn glyph for glyph on rows 90..97 and 102..109"

# Around the box, the title is untouched.
for area in "0 0 320 82" "0 118 320 82" "0 82 60 36" "260 82 60 36"; do
  set -- $area
  n=$(px diff "$shot" "$e2e_work/title.ppm" "$@")
  [ "$n" = 0 ] || fail "$n pixels of the title changed outside the box ($area)"
done
pass "the title stays around the box"

e2e_key Return
e2e_wait_exit 10
e2e_expect_end 0
pass "fire on the message ends the game with status 0 and the credit line"
