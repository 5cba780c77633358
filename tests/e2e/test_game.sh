#!/bin/bash
# The demo content plus a set whose sheet is missing and one whose fighters are both "-":
# title, selection, claims of keys held now (Escape with Tab held, F11, two keys at once),
# attacks, "Failed to load", a fight with no fighters; closing the window in a fight and on the
# selection ends the game with status 0 and the credit line.
source "$(dirname "$0")/lib.sh"
demo "$work/demo"
printf 'Broken Set\ntemple.pi1\nnosuch.pi1\n3\n-\n0\n' >"$work/demo/broken.dat"
printf 'Empty Set\ntemple.pi1\n-\n3\n-\n2\n' >"$work/demo/empty.dat"
decode "$work/demo/velmorea.pi1" "$work/title.ppm"
decode "$work/demo/qiratex1.pi1" "$work/select.ppm"
# The list follows the folder listing, as qira-kit check's does (rightly failing the broken set).
mapfile -t sets < <("$QIRA_KIT" check "$work/demo" |
  sed -n 's/^set [0-9]*: "\(.*\)" (\(.*\))$/\2 \1/p')
names=("${sets[@]#* }") files=("${sets[@]%% *}")
n=${#names[@]} && [ "$n" = 7 ] || fail "the folder has $n sets, not the demo's five and two"
for i in "${!files[@]}"; do declare "row_${files[$i]%.dat}=$i"; done # the sets' rows
fight=$work/temple.ppm
decode "$work/demo/temple.pi1" "$fight"

selection() { # ROW SHOT: every name at y 11+10i, the outline in entry 21 around row ROW
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
go() { # ROW: moves the outline from row $row there, checking it lands there
  while ((row < $1)); do key Down && row=$((row + 1)); done
  while ((row > $1)); do key Up && row=$((row - 1)); done
  wait_screen 10 selection "$row" || fail "the outline is not on row $row"
}
# SHOT: something in the attack cell at (120, 60), the background everywhere else.
in_cell() { local c && c=$(px diff "$fight" 120 60 60 30 "$1") && ((c > 0)) &&
  [ "$(px diff "$fight" 0 0 320 200 "$1")" = "$c" ]; }
attacks() { # KEY: holding it shows frames in the attack cell only; the background comes back
  xdotool keydown "$1"
  wait_screen 10 in_cell || { xdotool keyup "$1"; fail "$1 shows no frame, or more than the cell"; }
  xdotool keyup "$1"
  wait_screen 3 same "$fight" || fail "the background cell did not come back"
}

start_x
start_game "$work/demo"
wait_screen 10 same "$work/title.ppm" || fail "the title is not shown"
key Return
wait_screen 10 selection 0 || fail "no selection with the first set outlined"
unclaimed "$shot" || fail "the status line is wrong"
pass "selection: $n names at y 11+10i, the first outlined on rows 10..19, nobody claimed"
row=0 && go 1 && pass "Down moves the outline"
go "$row_temple"
key Return
claimed "hit fire" "player 1's claim is not shown"
key Tab
wait_screen 10 same "$fight" || fail "the fight does not show temple.pi1"
attacks Return
pass "player 1 claims Return, player 2 Tab; in the fight holding Return shows frames in the cell"

# Escape while player 2 holds Tab: nobody claimed on return, letting Tab go or F11 claims not.
xdotool keydown Tab
key Escape
wait_screen 10 selection "$row" && unclaimed "$shot" ||
  { xdotool keyup Tab; fail "Escape in a fight did not return to the selection, nobody claimed"; }
xdotool keyup Tab
sleep 1
key F11
sleep 0.5
snap unclaimed || fail "letting Tab go or F11 made a claim or a fight"
pass "Escape with Tab held, then F11: back on the selection, nobody claimed, no fight"

keys_together a b
claimed "hit fire" "no claim for two keys at once"
xdotool keyup b
claimed ready "player 2 did not get the other key"
xdotool keyup a
wait_screen 10 same "$fight" || fail "the fight did not start"
attacks b
attacks a
pass "keys pressed together: each player's own, and both attack"
close_window
expect_end 0
pass "closing the window in a fight ends with status 0 and the credit line"

start_game "$work/demo"
wait_screen 10 same "$work/title.ppm" || fail "the title is not shown the second time"
key Return
row=0 && go "$row_broken"
key Return
key Tab
line1() { px text 0,0,0 60 90 "Failed to load nosuch.pi1" "$@"; } # a 216-pixel box on black
wait_screen 10 line1 || fail "line 1: $(line1 "$shot")"
pass "the message box names the missing sheet"
key Return
wait_screen 10 selection "$row" || fail "fire on the message did not return to the selection"

go "$row_empty"
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
