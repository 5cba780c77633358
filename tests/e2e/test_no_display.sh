#!/bin/bash
# When no display can be opened the game prints its credit line and ends
# with status 2.
source "$(dirname "$0")/lib.sh"

# A display number nobody serves.
for n in $(seq 150 250); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
done
mkdir -p "$e2e_work/game"
e2e_status=0
(cd "$e2e_work/game" && DISPLAY=":$n" SDL_VIDEODRIVER=x11 timeout 30 "$QIRA_BIN") \
  >"$e2e_work/game.out" 2>"$e2e_work/game.err" || e2e_status=$?
e2e_expect_end 2
pass "no display: status 2 and the credit line"
