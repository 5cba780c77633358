#!/bin/bash
# A PI1 title made by qira-kit: no display gives status 2 and the credit line; on 320x200 it
# shows pixel for pixel, and with no fighter set fire gives "You can't play the QIRA", fire again
# status 0. On desktop sizes full screen enlarges it by a whole 4 or 2, centred on black; with
# openbox, F11 gives a window titled "QIRA" wholly on screen, F11 again full screen exactly.
source "$(dirname "$0")/lib.sh"
mkdir "$work/game"
# Sixteen ST colours, each pixel and 16-pixel group's entry unlike the last, so a shifted pixel,
# plane or group shows; black in entry 5, not 0: margins are black whichever entry holds it.
python3 - "$work/title.ppm" <<'PY'
import sys
lv = [0, 36, 73, 109, 146, 182, 219, 255]
col = [bytes((lv[i % 8], lv[i * 3 % 8], lv[7 - i // 2]) if i != 5 else 3) for i in range(16)]
px = b"".join(col[(x * 7 + y * 3 + x // 16) % 16] for y in range(200) for x in range(320))
open(sys.argv[1], "wb").write(b"P6\n320 200\n255\n" + px)
PY
decode "$work/title.ppm" "$work/game/velmorea.pi1"
inside=0,0,255 # the first pixel's colour, which qira-kit puts in entry 0: the box's inside

(cd "$work" && exec env -u DISPLAY SDL_VIDEODRIVER=x11 timeout 30 "$QIRA_BIN") \
  >"$work/game.out" 2>"$work/game.err" &
game_pid=$! && expect_end 2
pass "no display: status 2 and the credit line"

# The title at scale $1 from ($2, $3) over the whole screen, black all round.
full() {
  wait_screen 10 px scaled "$work/title.ppm" "$@" ||
    fail "$size at ${1}x: $(px scaled "$work/title.ppm" "$@" "$shot") (wrong, not black)"
}
# The game's titled window: sets wx wy ww wh to its inside on the screen.
window() {
  win=$(xdotool search --onlyvisible --name '^QIRA$' 2>/dev/null | head -n 1)
  [ -n "$win" ] || return 1
  # xwininfo, not xdotool, gives the inside's place under a reparenting window manager
  read -r wx wy ww wh < <(xwininfo -id "$win" |
    awk -F: '/Absolute upper-left|Width|Height/ {printf "%d ", $2}')
  [ "$ww" = 1280 ] && [ "$wh" = 800 ]
}
# Only the picture's pixels count in a window: the desktop and the frame are around it.
in_window() { [ "$(px scaled "$work/title.ppm" 4 "$wx" "$wy" "$1" | cut -d' ' -f1)" = 0 ]; }

for t in "320x200 1 0 0" "1280x1024 4 0 112 wm" "1920x1080 4 320 140 wm" "1366x768 2 363 184 wm" \
  "2560x1440 4 640 320 wm" "1920x1080 4 320 140"; do
  read -r size scale left top wm <<<"$t"
  start_x "$size"
  [ -z "$wm" ] || start_wm
  start_game "$work/game"
  full "$scale" "$left" "$top"
  pass "$size${wm:+ with openbox}: full screen at ${scale}x from ($left, $top), margins black"
  case $size$wm in
  320x200)
    key Return # the lines of a 200-pixel box, on entry 0
    wait_screen 10 px text "$inside" 68 90 "You can't play the QIRA" || fail "no message box"
    out=$(px text "$inside" 72 102 "No fighters were found" "$shot") || fail "line 2: $out"
    key Return
    expect_end 0
    pass "fire on the title: a box says there are no fighters; fire again: status 0, credit" ;;
  1920x1080wm | 1280x1024wm)
    xdotool key F11
    sw=${size%x*} sh=${size#*x}
    # Where the framed window is wider than the screen, only the frame's border may fall off.
    # Asked again until the window manager has placed it: it maps the window before it moves it.
    placed() {
      window && centre=$((2 * wx + ww - sw)) && ((wx >= 0 && wy >= 0 && wy + wh <= sh &&
        (sw < 1920 ? wx <= 2 : wx + ww <= sw && centre * centre <= 16)))
    }
    retry 10 placed || fail "$size: no 1280x800 window named QIRA wholly on screen and" \
      "centred after F11 (last seen at ${wx:-?}, ${wy:-?}, ${ww:-?}x${wh:-?})"
    wait_screen 10 in_window ||
      fail "$size: the window's picture differs: $(px scaled "$work/title.ppm" 4 $wx $wy "$shot")"
    pass "$size: F11 gives the 4x window at ($wx, $wy), off screen: $((wx + ww - sw)) columns"
    xdotool windowactivate --sync "$win" 2>/dev/null # classic SDL leaves the focus where it was
    xdotool key F11
    full "$scale" "$left" "$top"
    pass "$size: F11 again restores full screen exactly, margins black" ;;
  esac
done
key Escape
expect_end 0
pass "Escape on the title ends the game with status 0 and the credit line"
