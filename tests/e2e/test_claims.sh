#!/bin/bash
# Claims bind keys the players hold now. Player 2 holds Tab while player 1
# leaves the fight with Escape: back on the selection nobody is claimed, and
# letting Tab go starts nothing. F11 is never a claim. Two keys pressed
# together give each player their own key, and both attack. Closing the
# window in the fight ends the game with status 0 and the credit line.
source "$(dirname "$0")/lib.sh"
demo "$work/demo"
decode "$work/demo/velmorea.pi1" "$work/title.ppm"
decode "$work/demo/qiratex1.pi1" "$work/select.ppm"
file=$("$QIRA_KIT" check "$work/demo" | sed -n 's/^set 1: ".*" (\(.*\))$/\1/p')
mapfile -t dat < <(grep -v '^[[:space:]]*$' "$work/demo/$file")
decode "$work/demo/${dat[1]}" "$work/fight.ppm"
decode "$work/demo/${dat[2]}" "$work/p1.ppm"
decode "$work/demo/${dat[4]}" "$work/p2.ppm"
status() { # LEFT RIGHT SHOT
  px text "$work/select.ppm" 8 192 "Player 1 $1" "$3" && px text "$work/select.ppm" $((312 - 8 * ${#2} - 72)) 192 "Player 2 $2" "$3"
}

start_x
start_game "$work/demo"
wait_screen 10 same "$work/title.ppm" || fail "the title is not shown"
key Return
wait_screen 10 status "hit fire" "hit fire" || fail "no selection screen"
key Return
key Tab
wait_screen 10 same "$work/fight.ppm" || fail "the first fight did not start"

xdotool keydown Tab
key Escape
wait_screen 10 status "hit fire" "hit fire" || { xdotool keyup Tab; fail "back on the selection, a claim was taken: $(status "hit fire" "hit fire" "$shot")"; }
xdotool keyup Tab
sleep 1
snap status "hit fire" "hit fire" || fail "letting Tab go claimed or started a fight"
key F11
sleep 0.5
snap status "hit fire" "hit fire" || fail "F11 was claimed"
pass "Escape with Tab held, then F11: nobody claimed, no fight"

keys_together a b
wait_screen 10 status ready "hit fire" || fail "no claim for two keys pressed together"
xdotool keyup b
wait_screen 10 status ready ready || fail "player 2 did not get the other held key"
xdotool keyup a
wait_screen 10 same "$work/fight.ppm" || fail "the fight did not start"
for k in "b p1 ${dat[3]}" "a p2 ${dat[5]}"; do
  set -- $k
  xdotool keydown "$1"
  wait_screen 10 px cell "$work/$2.ppm" 120 60 $((2 * $3)) || { xdotool keyup "$1"; fail "$1 does not attack with $2's frames"; }
  xdotool keyup "$1"
  wait_screen 3 same "$work/fight.ppm" || fail "the background cell did not come back"
done
pass "keys pressed together: each player's own, and both attack"

close_window
expect_end 0
pass "closing the window in a fight ends with status 0 and the credit line"
