#!/bin/bash
# Without a display the game prints its credit line and ends with status 2.
source "$(dirname "$0")/lib.sh"
n=150 # a display nobody serves
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
(cd "$work" && DISPLAY=":$n" SDL_VIDEODRIVER=x11 timeout 30 "$QIRA_BIN") >"$work/game.out" 2>"$work/game.err" &
game_pid=$!
expect_end 2
pass "no display: status 2 and the credit line"
