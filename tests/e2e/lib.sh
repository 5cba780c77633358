# Shared by the end-to-end scripts: a private X server, a window manager, the game, keys and
# screenshots. CTest sets QIRA_BIN, QIRA_KIT and QIRA_SOURCE_DIR; E2E_KEEP=1 keeps the work folder.
set -u
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${QIRA_BIN:?}" "${QIRA_KIT:?}" "${QIRA_SOURCE_DIR:=$(cd "$E2E_DIR/../.." && pwd)}"
export QIRA_SOURCE_DIR PYTHONDONTWRITEBYTECODE=1
work=$(mktemp -d "${TMPDIR:-/tmp}/qira-e2e.XXXXXX")
xvfb_pid="" wm_pid="" game_pid="" status="" shot="" shots=0
cleanup() {
  for pid in $game_pid $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  [ -n "${E2E_KEEP:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; tail -n 20 "$work/game.err" >&2 2>/dev/null; exit 1; }
pass() { echo "ok: $*"; }
px() { python3 "$E2E_DIR/x11.py" "$@"; }
decode() { "$QIRA_KIT" convert "$1" "$2" >/dev/null || fail "qira-kit convert $1 $2"; }
demo() { "$QIRA_KIT" demo "$1" >/dev/null || fail "qira-kit demo failed"; }
# Tries a command up to 10 * $1 times, 0.1 s apart, until it holds.
retry() { local n=$(($1 * 10)); shift; until "$@"; do n=$((n - 1)) && [ $n -gt 0 ] || return 1; sleep 0.1; done; }

# Xvfb picks a free display itself and names it on fd 3: parallel tests never share one.
# start_x [WIDTHxHEIGHT] replaces the server (and its window manager) of an earlier call.
start_x() {
  for pid in $game_pid $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  game_pid="" wm_pid="" && rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 "${1:-320x200}x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  retry 10 [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(head -n 1 "$work/display")"
  retry 10 xdpyinfo >/dev/null 2>&1 && sleep 0.3 || fail "Xvfb on $DISPLAY does not answer"
}

# openbox, as a desktop has a window manager; ready once it has claimed the screen.
start_wm() {
  openbox --sm-disable >"$work/wm.log" 2>&1 &
  wm_pid=$!
  retry 10 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window' ||
    fail "openbox did not start: $(cat "$work/wm.log")"
  sleep 0.5 # it names itself before it has finished taking over the screen
}

ended() { ! kill -0 "$game_pid" 2>/dev/null && { wait "$game_pid"; status=$?; game_pid=""; }; }
shown() { ended || [ -n "$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null)" ]; }
# Runs the game in folder $1 and waits for its own window.
start_game() {
  for try in 1 2; do
    (cd "$1" && exec env SDL_VIDEODRIVER=x11 "$QIRA_BIN") >"$work/game.out" 2>"$work/game.err" &
    game_pid=$!
    retry 10 shown || fail "the game's window did not appear"
    [ -n "$game_pid" ] && sleep 0.3 && return
    # A fresh Xvfb now and then refuses the first client (status 2): try once more.
    [ "$status" = 2 ] && [ $try = 1 ] && sleep 0.5 || break
  done
  fail "the game ended at start-up with status $status"
}
credit_line() { sed -n 's/^const char qira_credit\[\] = "\(.*\)";$/\1/p' "$QIRA_SOURCE_DIR/src/shell/qira.cpp"; }
# The game ends with status $1, having printed the credit line and nothing else.
expect_end() {
  retry 10 ended || fail "the game did not end within 10 s"
  local credit=$(credit_line)
  [ "$status" = "$1" ] || fail "exit status $status, expected $1"
  [ -n "$credit" ] && [ "$(cat "$work/game.out")" = "$credit" ] || fail "output '$(cat "$work/game.out")' is not the credit"
}

# The game samples input every 20 ms: hold keys well beyond one pass.
key() { xdotool keydown "$1"; sleep 0.25; xdotool keyup "$1"; sleep 0.15; }
# Presses the keys in one burst: the game reads them in one pass, as two players at one moment.
keys_together() { px press "$@" || fail "XTest: cannot send $*"; }
# Screenshots into $shot until CHECK ARGS... $shot holds.
snap() { shot="$work/$((++shots)).xwd" && xwd -root -silent >"$shot" && "$@" "$shot" >/dev/null 2>&1; }
wait_screen() { retry "$1" snap "${@:2}"; }
same() { [ "$(px diff "$1" 0 0 320 200 "$2")" = 0 ]; } # REF SHOT: the whole screen is REF
# A colour the shade ramp can give entry 21: each component 4 * (base + 15), base 5..18.
entry21() { IFS=, read -r r g b <<<"$1" && for c in $r $g $b; do ((c % 4 == 0 && c >= 80 && c <= 132)) || return 1; done; }

# Asks the game's windows to close as a window manager's close button does.
close_window() { px close $(xdotool search --pid "$game_pid") || fail "cannot close it"; }
