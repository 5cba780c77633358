#!/bin/bash
# A set whose sheet is missing: once both players claim, the box says "Failed
# to load nosuch.pi1" / "Unable to open file", and fire returns to the
# selection. A set whose fighters are both "-" shows its background and
# nothing else whatever is pressed. Closing the window on the selection ends
# the game with status 0 and the credit line.
source "$(dirname "$0")/lib.sh"
demo "$work/demo"
mkdir "$work/game"
cp "$work/demo/velmorea.pi1" "$work/demo/qiratex1.pi1" "$work/demo/temple.pi1" "$work/game/"
printf 'Broken Set\ntemple.pi1\nnosuch.pi1\n3\n-\n0\n' >"$work/game/broken.dat"
printf 'Empty Set\ntemple.pi1\n-\n3\n-\n2\n' >"$work/game/empty.dat"
decode "$work/game/velmorea.pi1" "$work/title.ppm"
decode "$work/game/temple.pi1" "$work/fight.ppm"
# The list follows the folder listing, as qira-kit check does.
broken=$("$QIRA_KIT" check "$work/game" | sed -n 's/^set \([0-9]*\): .*(broken.dat)$/\1/p')
broken=$((broken - 1))
on_selection() { entry21 "$(px frame 0 $((10 + 10 * $1)) 320 10 "$2")"; }

start_x
start_game "$work/game"
wait_screen 10 same "$work/title.ppm" || fail "the title is not shown"
key Return
wait_screen 10 on_selection 0 || fail "no selection screen"
[ $broken = 0 ] || key Down
key Return
key Tab
# Lines of 25 and 19 characters: the border at (52, 82) of 216x36, the
# selection's entry 0 (black) inside, line 1 at x 60, line 2 at x 84.
wait_screen 10 px text 0,0,0 60 90 "Failed to load nosuch.pi1" || fail "line 1: $(px text 0,0,0 60 90 "Failed to load nosuch.pi1" "$shot")"
out=$(px text 0,0,0 84 102 "Unable to open file" "$shot") || fail "line 2: $out"
entry21 "$(px frame 52 82 216 36 "$shot")" || fail "the box's border is not entry 21"
pass "the message box names the missing sheet and the loader's reason"

key Return
wait_screen 10 on_selection $broken || fail "fire on the message did not return to the selection"
[ $broken = 0 ] && key Down || key Up
key Return
key Tab
wait_screen 10 same "$work/fight.ppm" || fail "the set without fighters does not show the background"
xdotool keydown Return keydown Tab
sleep 1
snap same "$work/fight.ppm" || fail "a fighter without frames attacked"
xdotool keyup Return keyup Tab
key Escape
wait_screen 10 on_selection $((1 - broken)) || fail "Escape did not return to the selection"
pass "both fighters \"-\": the background only, whatever is held"

close_window
expect_end 0
pass "closing the window on the selection ends the game with status 0 and the credit line"
