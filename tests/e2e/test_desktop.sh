#!/bin/bash
# On the usual desktop sizes, with openbox, full screen shows the title at the desktop's own
# size, enlarged by a whole 4 or 2 and centred on black. F11 gives a window titled "QIRA" with
# the whole picture on screen; F11 again brings full screen back exactly. Without a window
# manager full screen still covers the screen.
source "$(dirname "$0")/lib.sh"
mkdir "$work/game"
# Sixteen ST colours as in the title test, with black in entry 5 rather than entry 0: the
# margins must be black whichever entry holds it.
python3 - "$work/title.ppm" <<'PY'
import sys
lv = [0, 36, 73, 109, 146, 182, 219, 255]
col = [bytes((lv[i % 8], lv[i * 3 % 8], lv[7 - i // 2])) for i in range(16)]
col[5] = bytes(3)
px = b"".join(col[(x * 7 + y * 3 + x // 16) % 16] for y in range(200) for x in range(320))
open(sys.argv[1], "wb").write(b"P6\n320 200\n255\n" + px)
PY
decode "$work/title.ppm" "$work/game/velmorea.pi1"

# The whole screen: the title at scale $1 from ($2, $3), black all round.
full() { wait_screen 10 px scaled "$work/title.ppm" "$@" || fail "$size at ${1}x: $(px scaled "$work/title.ppm" "$@" "$shot") (wrong, not black)"; }
# The game's titled window: sets wx wy ww wh to its inside on the screen.
window() {
  local id=$(xdotool search --onlyvisible --name '^QIRA$' 2>/dev/null | head -n 1)
  [ -n "$id" ] || return 1
  # xwininfo, not xdotool, gives the inside's place under a reparenting window manager
  read -r wx wy ww wh < <(xwininfo -id "$id" | awk -F: '/Absolute upper-left|Width|Height/ {printf "%d ", $2}')
  win=$id
  [ "$ww" = 1280 ] && [ "$wh" = 800 ]
}
# Only the picture's pixels count in a window: the desktop and the frame are around it.
in_window() { [ "$(px scaled "$work/title.ppm" 4 "$wx" "$wy" "$1" | cut -d' ' -f1)" = 0 ]; }

for t in "1280x1024 4 0 112" "1920x1080 4 320 140" "1366x768 2 363 184" "2560x1440 4 640 320"; do
  read -r size scale left top <<<"$t"
  start_x "$size"
  start_wm
  start_game "$work/game"
  full "$scale" "$left" "$top"
  pass "$size: full screen at ${scale}x from ($left, $top), margins black"
  case $size in 1920x1080 | 1280x1024) ;; *) continue ;; esac

  xdotool key F11
  retry 10 window || fail "$size: no 1280x800 window named QIRA after F11"
  sw=${size%x*} sh=${size#*x}
  if [ "$size" = 1920x1080 ]; then
    ((wx >= 0 && wy >= 0 && wx + ww <= sw && wy + wh <= sh)) || fail "window at ($wx, $wy) leaves the screen"
    ((${wx} - (sw - wx - ww) <= 4 && (sw - wx - ww) - wx <= 4)) || fail "window at x $wx is not centred"
  else # wider framed than the screen: no more than the frame's border may fall off
    ((wx >= 0 && wx <= 2 && wy >= 0 && wy + wh <= sh)) || fail "window at ($wx, $wy) leaves the screen"
  fi
  wait_screen 10 in_window || fail "$size: the window's picture differs: $(px scaled "$work/title.ppm" 4 $wx $wy "$shot")"
  pass "$size: F11 gives the 4x window at ($wx, $wy), wholly on screen but $((wx + ww - sw > 0 ? wx + ww - sw : 0)) columns"

  xdotool windowactivate --sync "$win" 2>/dev/null # classic SDL leaves the focus where it was
  xdotool key F11
  full "$scale" "$left" "$top"
  pass "$size: F11 again restores full screen exactly, margins black"
done

# A kiosk: no window manager at all.
size=1920x1080
start_x "$size"
start_game "$work/game"
full 4 320 140
pass "$size without a window manager: full screen at 4x from (320, 140)"
key Escape
expect_end 0
pass "Escape on the title ends the game with status 0 and the credit line"
