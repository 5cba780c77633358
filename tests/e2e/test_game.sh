#!/bin/bash
# A round on the demo content: title, selection (names, outline, Down,
# claims), the fight (background, player 1's frames in the attack cell, the
# cell restored); claims bind keys held now (Escape with Tab held, F11, two
# keys at once); closing the window in the fight. E2E_SCREENSHOTS=DIR saves
# the title, selection and fight there as PNG.
source "$(dirname "$0")/lib.sh"
demo "$work/demo"
decode "$work/demo/velmorea.pi1" "$work/title.ppm"
decode "$work/demo/qiratex1.pi1" "$work/select.ppm"
# The list follows the folder listing, as qira-kit check does.
"$QIRA_KIT" check "$work/demo" >"$work/check.out" || fail "the demo content does not pass qira-kit check"
mapfile -t names < <(sed -n 's/^set [0-9]*: "\(.*\)" (.*)$/\1/p' "$work/check.out")
mapfile -t files < <(sed -n 's/^set [0-9]*: ".*" (\(.*\))$/\1/p' "$work/check.out")
n=${#names[@]} && [ "$n" -ge 4 ] || fail "the demo has $n sets"
save() { [ -z "${E2E_SCREENSHOTS:-}" ] || { mkdir -p "$E2E_SCREENSHOTS" && px ppm "$work/saved.ppm" "$shot" &&
  decode "$work/saved.ppm" "$E2E_SCREENSHOTS/$1.png"; }; }

start_x
start_game "$work/demo"
wait_screen 10 same "$work/title.ppm" || fail "the title is not shown"
save title

# Every name at y 11+10i, the outline in entry 21 around row ROW.
selection() { # ROW SHOT
  entry21 "$(px frame 0 $((10 + 10 * $1)) 320 10 "$2")" || return 1
  for i in "${!names[@]}"; do px text "$work/select.ppm" 10 $((11 + 10 * i)) "${names[$i]}" "$2" || return 1; done
}
status_line() { # LEFT RIGHT SHOT
  px text "$work/select.ppm" 8 192 "$1" "$3" && px text "$work/select.ppm" $((312 - 8 * ${#2})) 192 "$2" "$3"
}
key Return
wait_screen 10 selection 0 || fail "no selection with the first set outlined: $(selection 0 "$shot")"
status_line "Player 1 hit fire" "Player 2 hit fire" "$shot" >/dev/null || fail "the status line is wrong"
[ "$(px diff "$work/select.ppm" 0 0 320 10 "$shot")$(px diff "$work/select.ppm" 0 $((11 + 10 * n)) 320 $((181 - 10 * n)) "$shot")" = 00 ] ||
  fail "the background above or below the list changed"
save selection
pass "selection: $n names at y 11+10i, the first outlined on rows 10..19"

key Down
wait_screen 10 selection 1 || fail "Down did not move the outline to rows 20..29"
[ "$(px diff "$work/select.ppm" 0 10 320 1 "$shot")$(px diff "$work/select.ppm" 0 19 320 1 "$shot")" = 00 ] ||
  fail "the old outline is still drawn"
pass "Down moves the outline"

# The second set is fought over: its file read as the game reads it.
mapfile -t dat < <(grep -v '^[[:space:]]*$' "$work/demo/${files[1]}")
decode "$work/demo/${dat[1]}" "$work/fight.ppm"
decode "$work/demo/${dat[2]}" "$work/sheet.ppm"
key Return
wait_screen 10 status_line "Player 1 ready" "Player 2 hit fire" || fail "player 1's claim is not shown"
key Tab
wait_screen 10 same "$work/fight.ppm" || fail "the fight does not show ${dat[1]}"
pass "player 1 claims Return, player 2 Tab; the fight shows ${dat[1]}"

xdotool keydown Return
wait_screen 10 px cell "$work/sheet.ppm" 120 60 $((2 * dat[3])) || { xdotool keyup Return; fail "no frame of ${dat[2]} in the cell"; }
xdotool keyup Return
changed=$(px diff "$work/fight.ppm" 0 0 320 200 "$shot")
[ "$changed" -gt 0 ] && [ "$(px diff "$work/fight.ppm" 120 60 60 30 "$shot")" = "$changed" ] ||
  fail "the screen changed outside the attack cell"
save fight
wait_screen 3 same "$work/fight.ppm" || fail "the background cell did not come back"
pass "holding Return shows ${dat[2]}'s frames at (120,60) and nothing else; then the background is back"

# Player 2 holds Tab while player 1 leaves the fight with Escape: nobody is
# claimed on return, letting Tab go starts nothing, and F11 is no claim.
xdotool keydown Tab
key Escape
unclaimed() { status_line "Player 1 hit fire" "Player 2 hit fire" "$@" >/dev/null; }
wait_screen 10 selection 1 || { xdotool keyup Tab; fail "Escape in the fight did not return to the selection"; }
unclaimed "$shot" || { xdotool keyup Tab; fail "a claim was taken on return"; }
xdotool keyup Tab
sleep 1
key F11
sleep 0.5
snap unclaimed || fail "letting Tab go or F11 made a claim or a fight"
pass "Escape with Tab held, then F11: back on the selection, nobody claimed, no fight"

# Two keys pressed at once: each player gets their own, and both attack.
decode "$work/demo/${dat[4]}" "$work/sheet2.ppm"
keys_together a b
wait_screen 10 status_line "Player 1 ready" "Player 2 hit fire" || fail "no claim for two keys at once"
xdotool keyup b
wait_screen 10 status_line "Player 1 ready" "Player 2 ready" || fail "player 2 did not get the other key"
xdotool keyup a
wait_screen 10 same "$work/fight.ppm" || fail "the fight did not start"
for k in "b sheet ${dat[3]}" "a sheet2 ${dat[5]}"; do
  set -- $k
  xdotool keydown "$1"
  wait_screen 10 px cell "$work/$2.ppm" 120 60 $((2 * $3)) ||
    { xdotool keyup "$1"; fail "$1 does not attack with $2"; }
  xdotool keyup "$1"
  wait_screen 3 same "$work/fight.ppm" || fail "the background cell did not come back"
done
pass "keys pressed together: each player's own, and both attack"

close_window
expect_end 0
pass "closing the window in a fight ends with status 0 and the credit line"
