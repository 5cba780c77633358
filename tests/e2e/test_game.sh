#!/bin/bash
# Rounds on the demo content and two sets more: one whose sheet is missing, one whose fighters
# are both "-". Title, selection (names, outline, Down, claims), the fight (background, player
# 1's frames in the attack cell, the cell restored); claims bind keys held now (Escape with Tab
# held, F11, two keys at once); closing the window in a fight. Then the missing sheet: "Failed
# to load nosuch.pi1" / "Unable to open file", fire returns to the selection; the set without
# fighters: its background and nothing else whatever is held; closing the window on the
# selection. Each close ends the game with status 0 and the credit line.
source "$(dirname "$0")/lib.sh"
demo "$work/demo"
printf 'Broken Set\ntemple.pi1\nnosuch.pi1\n3\n-\n0\n' >"$work/demo/broken.dat"
printf 'Empty Set\ntemple.pi1\n-\n3\n-\n2\n' >"$work/demo/empty.dat"
decode "$work/demo/velmorea.pi1" "$work/title.ppm"
decode "$work/demo/qiratex1.pi1" "$work/select.ppm"
# The list follows the folder listing, as qira-kit check does (rightly finding the broken set).
"$QIRA_KIT" check "$work/demo" >"$work/check.out"
mapfile -t names < <(sed -n 's/^set [0-9]*: "\(.*\)" (.*)$/\1/p' "$work/check.out")
mapfile -t files < <(sed -n 's/^set [0-9]*: ".*" (\(.*\))$/\1/p' "$work/check.out")
n=${#names[@]} && [ "$n" = 7 ] || fail "the folder has $n sets, not the demo's five and two"
at() { for i in "${!files[@]}"; do [ "${files[$i]}" != "$1" ] || echo "$i"; done; }
fought=$(at temple.dat) broken=$(at broken.dat) empty=$(at empty.dat)
# The fought set's file, read as the game reads it.
mapfile -t dat < <(grep -v '^[[:space:]]*$' "$work/demo/temple.dat")
for i in 1 2 4; do decode "$work/demo/${dat[$i]}" "$work/$i.ppm"; done
fight=$work/1.ppm

# Every name at y 11+10i, the outline in entry 21 around row ROW.
selection() { # ROW SHOT
  entry21 "$(px frame 0 $((10 + 10 * $1)) 320 10 "$2")" || return 1
  for i in "${!names[@]}"; do
    px text "$work/select.ppm" 10 $((11 + 10 * i)) "${names[$i]}" "$2" || return 1
  done
}
status_line() { # LEFT RIGHT SHOT
  px text "$work/select.ppm" 8 192 "$1" "$3" &&
    px text "$work/select.ppm" $((312 - 8 * ${#2})) 192 "$2" "$3"
}
unclaimed() { status_line "Player 1 hit fire" "Player 2 hit fire" "$@" >/dev/null; }
claimed() { wait_screen 10 status_line "Player 1 ready" "Player 2 $1" || fail "$2"; }
# Moves the outline from row $row to row $1, checking it lands there.
go() {
  while ((row < $1)); do key Down && row=$((row + 1)); done
  while ((row > $1)); do key Up && row=$((row - 1)); done
  wait_screen 10 selection "$row" || fail "the outline is not on row $row"
}
# Holding key $1 shows picture $2's frames 0..$3-1 in the cell at (120, 60), then the background.
attacks() {
  xdotool keydown "$1"
  wait_screen 10 px cell "$2" 120 60 "$3" || { xdotool keyup "$1"; fail "$1 shows no frame of $2"; }
  xdotool keyup "$1"
  changed=$(px diff "$fight" 0 0 320 200 "$shot")
  in_cell=$(px diff "$fight" 120 60 60 30 "$shot")
  ((changed > 0 && in_cell == changed)) || fail "the screen changed outside the cell"
  wait_screen 3 same "$fight" || fail "the background cell did not come back"
}

start_x
start_game "$work/demo"
wait_screen 10 same "$work/title.ppm" || fail "the title is not shown"
key Return
wait_screen 10 selection 0 || fail "no selection with the first set outlined"
unclaimed "$shot" || fail "the status line is wrong"
above=$(px diff "$work/select.ppm" 0 0 320 10 "$shot")
below=$(px diff "$work/select.ppm" 0 81 320 111 "$shot")
[ "$above$below" = 00 ] || fail "the background above or below the list changed"
pass "selection: $n names at y 11+10i, the first outlined on rows 10..19, nobody claimed"
row=0 && go 1 && pass "Down moves the outline"
go "$fought"
key Return
claimed "hit fire" "player 1's claim is not shown"
key Tab
wait_screen 10 same "$fight" || fail "the fight does not show ${dat[1]}"
pass "player 1 claims Return, player 2 Tab; the fight shows ${dat[1]}"
attacks Return "$work/2.ppm" $((2 * dat[3]))
pass "holding Return shows ${dat[2]}'s frames at (120,60), nothing else, then the background"

# Player 2 holds Tab while player 1 leaves the fight with Escape: nobody is claimed on return,
# letting Tab go starts nothing, and F11 is no claim.
xdotool keydown Tab
key Escape
wait_screen 10 selection "$row" && unclaimed "$shot"
ok=$?
xdotool keyup Tab
((ok == 0)) || fail "Escape in the fight did not return to the selection with nobody claimed"
sleep 1
key F11
sleep 0.5
snap unclaimed || fail "letting Tab go or F11 made a claim or a fight"
pass "Escape with Tab held, then F11: back on the selection, nobody claimed, no fight"

# Two keys pressed at once: each player gets their own, and both attack.
keys_together a b
claimed "hit fire" "no claim for two keys at once"
xdotool keyup b
claimed ready "player 2 did not get the other key"
xdotool keyup a
wait_screen 10 same "$fight" || fail "the fight did not start"
attacks b "$work/2.ppm" $((2 * dat[3]))
attacks a "$work/4.ppm" $((2 * dat[5]))
pass "keys pressed together: each player's own, and both attack"
close_window
expect_end 0
pass "closing the window in a fight ends with status 0 and the credit line"

start_game "$work/demo"
wait_screen 10 same "$work/title.ppm" || fail "the title is not shown the second time"
key Return
row=0 && go "$broken"
key Return
key Tab
# Lines of 25 and 19 characters: the border at (52, 82) of 216x36, the selection's entry 0
# (black) inside, line 1 at x 60, line 2 at x 84.
line1() { px text 0,0,0 60 90 "Failed to load nosuch.pi1" "$@"; }
wait_screen 10 line1 || fail "line 1: $(line1 "$shot")"
out=$(px text 0,0,0 84 102 "Unable to open file" "$shot") || fail "line 2: $out"
entry21 "$(px frame 52 82 216 36 "$shot")" || fail "the box's border is not entry 21"
pass "the message box names the missing sheet and the loader's reason"
key Return
wait_screen 10 selection "$row" || fail "fire on the message did not return to the selection"

go "$empty"
key Return
key Tab
wait_screen 10 same "$fight" || fail "the set without fighters does not show the background"
xdotool keydown Return keydown Tab
sleep 1
snap same "$fight" || fail "a fighter without frames attacked"
xdotool keyup Return keyup Tab
key Escape
wait_screen 10 selection "$row" || fail "Escape did not return to the selection"
pass "both fighters \"-\": the background only, whatever is held"
close_window
expect_end 0
pass "closing the window on the selection ends the game with status 0 and the credit line"
