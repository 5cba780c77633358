#!/bin/bash
# A whole round on the demo content: title, selection (list, highlight,
# claims), the fight (background, player 1's attack in the attack cell and
# the cell restored), back to the selection with Escape, and out.
# With E2E_SCREENSHOTS=DIR, the title, selection and fight are saved there as
# PNG.
source "$(dirname "$0")/lib.sh"

folder="$e2e_work/demo"
e2e_demo "$folder"
e2e_decode "$folder/velmorea.pi1" "$e2e_work/title.ppm"
e2e_decode "$folder/qiratex1.pi1" "$e2e_work/select.ppm"
select_bg="$e2e_work/select.ppm"

# The list's order is the folder listing's, which the game and qira-kit
# check both follow.
"$QIRA_KIT" check "$folder" >"$e2e_work/check.out" || fail "the demo content does not pass qira-kit check"
mapfile -t names < <(sed -n 's/^set [0-9]*: "\(.*\)" (.*)$/\1/p' "$e2e_work/check.out")
mapfile -t files < <(sed -n 's/^set [0-9]*: ".*" (\(.*\))$/\1/p' "$e2e_work/check.out")
[ "${#names[@]}" -ge 4 ] || fail "the demo has ${#names[@]} sets"

save_shot() { # SHOT NAME
  [ -n "${E2E_SCREENSHOTS:-}" ] || return 0
  mkdir -p "$E2E_SCREENSHOTS"
  px ppm "$1" "$e2e_work/$2.ppm"
  "$QIRA_KIT" convert "$e2e_work/$2.ppm" "$E2E_SCREENSHOTS/$2.png" >/dev/null || fail "cannot save $2.png"
}

e2e_start_x
e2e_start_game "$folder"
shot=$(e2e_wait_screen 10 e2e_same "$e2e_work/title.ppm") || fail "the title is not shown"
save_shot "$shot" title
pass "title"

# Selection: a row's outline in one colour across the whole width.
highlight_on() { # Y SHOT
  px frame "$2" 0 "$1" 320 10 >/dev/null
}
list_drawn() { # SHOT
  local i out
  for i in "${!names[@]}"; do
    out=$(px text "$1" "$select_bg" 10 $((11 + 10 * i)) "${names[$i]}") || { echo "$out"; return 1; }
  done
}
status_line() { # TEXT1 TEXT2 SHOT
  px text "$3" "$select_bg" 8 192 "$1" >/dev/null &&
    px text "$3" "$select_bg" $((312 - 8 * ${#2})) 192 "$2" >/dev/null
}
selection_at() { # ROW SHOT: highlight on list row ROW, everything drawn
  highlight_on $((10 + 10 * $1)) "$2" && list_drawn "$2" >/dev/null
}

e2e_key Return
shot=$(e2e_wait_screen 10 selection_at 0) || fail "no selection screen with the first set highlighted"
out=$(list_drawn "$shot") || fail "the list of sets is not drawn as expected: $out"
status_line "Player 1 hit fire" "Player 2 hit fire" "$shot" || fail "the status line is wrong"
n=${#names[@]}
[ "$(px diff "$shot" "$select_bg" 0 0 320 10)" = 0 ] || fail "the background above the list is not intact"
[ "$(px diff "$shot" "$select_bg" 0 $((11 + 10 * n)) 320 $((181 - 10 * n)))" = 0 ] ||
  fail "the background below the list is not intact"
save_shot "$shot" selection
pass "selection: $n names at y 11+10i, the first outlined on rows 10..19, the status line"

e2e_key Down
shot=$(e2e_wait_screen 10 selection_at 1) || fail "Down did not move the highlight to rows 20..29"
[ "$(px diff "$shot" "$select_bg" 0 10 320 1)" = 0 ] && [ "$(px diff "$shot" "$select_bg" 0 19 320 1)" = 0 ] ||
  fail "the old outline is still drawn"
pass "Down moves the outline to rows 20..29"

# The second set is the one fought over: read its file as the game does.
mapfile -t dat < <(grep -v '^[[:space:]]*$' "$folder/${files[1]}")
background=${dat[1]} sheet=${dat[2]} pairs=${dat[3]}
e2e_decode "$folder/$background" "$e2e_work/background.ppm"
e2e_decode "$folder/$sheet" "$e2e_work/sheet.ppm"

e2e_key Return
shot=$(e2e_wait_screen 10 status_line "Player 1 ready" "Player 2 hit fire") || fail "player 1's claim is not shown"
pass "player 1 claims Return"
e2e_key Tab
shot=$(e2e_wait_screen 10 e2e_same "$e2e_work/background.ppm") ||
  fail "the fight does not show $background ($(px diff "$shot" "$e2e_work/background.ppm" 0 0 320 200) pixels differ)"
pass "player 2 claims Tab; the fight shows $background"

# Holding player 1's button plays attacks in the cell at (120, 60).
attacking() { # SHOT
  px cell "$1" "$e2e_work/sheet.ppm" 120 60 $((2 * pairs)) >/dev/null
}
e2e_keydown Return
shot=$(e2e_wait_screen 10 attacking) || { xdotool keyup Return; fail "no frame of $sheet appears in the attack cell"; }
xdotool keyup Return
frame=$(px cell "$shot" "$e2e_work/sheet.ppm" 120 60 $((2 * pairs)))
[ "$(px diff "$shot" "$e2e_work/background.ppm" 120 60 60 30)" != 0 ] || fail "the cell shows the background"
for area in "0 0 320 60" "0 90 320 110" "0 60 120 30" "180 60 140 30"; do
  set -- $area
  [ "$(px diff "$shot" "$e2e_work/background.ppm" "$@")" = 0 ] || fail "the screen changed outside the attack cell ($area)"
done
save_shot "$shot" fight
pass "holding Return shows frame $frame of $sheet in the attack cell, nothing else changes"

sleep 1.2
shot=$(e2e_shot after)
[ "$(px diff "$shot" "$e2e_work/background.ppm" 0 0 320 200)" = 0 ] || fail "the background cell did not come back"
pass "after the attack the background cell is back"

e2e_key Escape
shot=$(e2e_wait_screen 10 selection_at 1) || fail "Escape in the fight did not return to the selection"
status_line "Player 1 hit fire" "Player 2 hit fire" "$shot" || fail "the claims were not reset"
pass "Escape returns to the selection, the chosen set still highlighted, no claims"

e2e_key Escape
e2e_wait_exit 10
e2e_expect_end 0
pass "Escape on the selection ends the game with status 0 and the credit line"
