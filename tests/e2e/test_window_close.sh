#!/bin/bash
# Closing the window ends the game, with status 0 and the credit line: on the
# title, and in the middle of a fight.
source "$(dirname "$0")/lib.sh"

folder="$e2e_work/demo"
e2e_demo "$folder"
e2e_decode "$folder/velmorea.pi1" "$e2e_work/title.ppm"
e2e_start_x

e2e_start_game "$folder"
shot=$(e2e_wait_screen 10 e2e_same "$e2e_work/title.ppm") || fail "the title is not shown"
e2e_close_window
e2e_wait_exit 10
e2e_expect_end 0
pass "closing the window on the title ends the game"

e2e_start_game "$folder"
shot=$(e2e_wait_screen 10 e2e_same "$e2e_work/title.ppm") || fail "the title is not shown"
e2e_key Return
selection() { px frame "$1" 0 10 320 10 >/dev/null; }
shot=$(e2e_wait_screen 10 selection) || fail "no selection screen"
e2e_key Return
e2e_key Tab
# The first set's background, read from its file.
first=$(sed -n 's/^set 1: ".*" (\(.*\))$/\1/p' <("$QIRA_KIT" check "$folder"))
background=$(grep -v '^[[:space:]]*$' "$folder/$first" | sed -n 2p)
e2e_decode "$folder/$background" "$e2e_work/background.ppm"
shot=$(e2e_wait_screen 10 e2e_same "$e2e_work/background.ppm") || fail "the fight did not start"
e2e_keydown Return
e2e_close_window
xdotool keyup Return 2>/dev/null
e2e_wait_exit 10
e2e_expect_end 0
pass "closing the window in a fight ends the game"
