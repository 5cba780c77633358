# Shared helpers for the end-to-end tests: a private X server of the game's
# size, the game running in a folder, keys, screenshots and their pixels.
# Sourced by tests/e2e/test_*.sh; CTest sets QIRA_BIN, QIRA_KIT and
# QIRA_SOURCE_DIR. Set E2E_KEEP=1 to keep the work folder for a look.

set -u
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${QIRA_BIN:?QIRA_BIN must name the game}"
: "${QIRA_KIT:?QIRA_KIT must name qira-kit}"
: "${QIRA_SOURCE_DIR:=$(cd "$E2E_DIR/../.." && pwd)}"
export QIRA_SOURCE_DIR

e2e_work=$(mktemp -d "${TMPDIR:-/tmp}/qira-e2e.XXXXXX")
e2e_xvfb_pid=""
e2e_game_pid=""
e2e_status=""

e2e_cleanup() {
  if [ -n "$e2e_game_pid" ] && kill -0 "$e2e_game_pid" 2>/dev/null; then
    kill "$e2e_game_pid" 2>/dev/null
    wait "$e2e_game_pid" 2>/dev/null
  fi
  if [ -n "$e2e_xvfb_pid" ]; then
    kill "$e2e_xvfb_pid" 2>/dev/null
    wait "$e2e_xvfb_pid" 2>/dev/null
  fi
  if [ -n "${E2E_KEEP:-}" ]; then
    echo "work folder kept: $e2e_work"
  else
    rm -rf "$e2e_work"
  fi
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -s "$e2e_work/game.err" ]; then
    echo "--- the game's standard error:" >&2
    tail -n 20 "$e2e_work/game.err" >&2
  fi
  exit 1
}

pass() { echo "ok: $*"; }

# Pixel questions about screenshots; see xwdpixel.py for the commands.
px() { python3 "$E2E_DIR/xwdpixel.py" "$@"; }

# The game's one line of output at exit, as its source spells it.
e2e_credit() {
  sed -n 's/^const char qira_credit\[\] = "\(.*\)";$/\1/p' "$QIRA_SOURCE_DIR/src/shell/qira.cpp"
}

# Starts Xvfb at 320x200x24 and exports DISPLAY once the server answers.
# The server picks a free display number itself and tells it through a file
# descriptor, so tests running side by side never share a server.
e2e_start_x() {
  local i n=""
  Xvfb -displayfd 3 -screen 0 320x200x24 -nolisten tcp 3>"$e2e_work/display" >"$e2e_work/xvfb.log" 2>&1 &
  e2e_xvfb_pid=$!
  for i in $(seq 1 100); do
    n=$(head -n 1 "$e2e_work/display" 2>/dev/null)
    [ -n "$n" ] && break
    kill -0 "$e2e_xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$e2e_work/xvfb.log")"
    sleep 0.1
  done
  [ -n "$n" ] || fail "Xvfb did not report its display"
  export DISPLAY=":$n"
  for i in $(seq 1 100); do
    if xdpyinfo >/dev/null 2>&1; then
      # Let the server finish setting up before the first client.
      sleep 0.3
      return 0
    fi
    sleep 0.1
  done
  fail "Xvfb on $DISPLAY does not answer"
}

# Runs the game in folder $1 in the background, its output captured, and
# waits until the game's own window is on the screen.
e2e_start_game() {
  local folder=$1 try i
  for try in 1 2; do
    (cd "$folder" && exec env SDL_VIDEODRIVER=x11 "$QIRA_BIN") >"$e2e_work/game.out" 2>"$e2e_work/game.err" &
    e2e_game_pid=$!
    for i in $(seq 1 100); do
      if ! kill -0 "$e2e_game_pid" 2>/dev/null; then
        wait "$e2e_game_pid"
        e2e_status=$?
        e2e_game_pid=""
        break
      fi
      if [ -n "$(xdotool search --onlyvisible --pid "$e2e_game_pid" 2>/dev/null)" ]; then
        # The window is up; the first frame follows within a few passes.
        sleep 0.3
        return 0
      fi
      sleep 0.1
    done
    [ -n "$e2e_game_pid" ] && fail "the game's window did not appear"
    # Against a freshly started Xvfb the display has now and then failed to
    # open (status 2); one more try tells that apart from a game that never
    # opens it.
    [ "$e2e_status" = 2 ] && [ "$try" = 1 ] || break
    echo "note: the game could not open the display at the first try; trying again" >&2
    sleep 0.5
  done
  fail "the game ended at start-up with status $e2e_status"
}

# Key presses in the ways a player makes them. The game samples its input
# every 20 ms, so a key is held well beyond one pass.
e2e_key() {
  xdotool keydown "$1"
  sleep "${2:-0.25}"
  xdotool keyup "$1"
  sleep 0.15
}
e2e_keydown() { xdotool keydown "$1"; sleep 0.25; }
e2e_keyup() { xdotool keyup "$1"; sleep 0.15; }

# Takes a screenshot of the whole screen; prints its path.
e2e_shot() {
  # Called in $(...), so a counter would not survive: mktemp names it.
  local path
  path=$(mktemp "$e2e_work/${1:-screen}-XXXXXX.xwd")
  xwd -root -silent >"$path" || fail "xwd could not take a screenshot"
  echo "$path"
}

# Retries a check until it holds or $1 seconds pass. The check is a command
# (usually a function of the test) given as the other arguments, called with
# the path of a fresh screenshot as its last argument. Prints the path of the
# last screenshot taken; the status says whether the check held.
e2e_wait_screen() {
  local seconds=$1 shot tries
  shift
  tries=$((seconds * 4))
  while :; do
    shot=$(e2e_shot)
    if "$@" "$shot" >/dev/null 2>&1; then
      echo "$shot"
      return 0
    fi
    tries=$((tries - 1))
    if [ "$tries" -le 0 ]; then
      echo "$shot"
      return 1
    fi
    sleep 0.25
  done
}

# Checks for e2e_wait_screen: the rectangle (or the whole screen) of the
# screenshot equals the picture.
e2e_same() { # REF [X Y W H] SHOT
  local ref=$1
  shift
  local shot=${!#}
  if [ $# -eq 5 ]; then
    [ "$(px diff "$shot" "$ref" "$1" "$2" "$3" "$4")" = 0 ]
  else
    [ "$(px diff "$shot" "$ref" 0 0 320 200)" = 0 ]
  fi
}

# Waits up to $1 seconds for the game to end and keeps its status.
e2e_wait_exit() {
  local i
  for i in $(seq 1 $(($1 * 10))); do
    if ! kill -0 "$e2e_game_pid" 2>/dev/null; then
      wait "$e2e_game_pid"
      e2e_status=$?
      e2e_game_pid=""
      return 0
    fi
    sleep 0.1
  done
  fail "the game did not end within $1 s"
}

# The game has ended with status $1 and printed the credit line, and nothing
# else, on standard output.
e2e_expect_end() {
  local want=$1 credit
  [ "$e2e_status" = "$want" ] || fail "exit status $e2e_status, expected $want"
  credit=$(e2e_credit)
  [ -n "$credit" ] || fail "cannot find the credit line in the source"
  [ "$(cat "$e2e_work/game.out")" = "$credit" ] ||
    fail "standard output was '$(cat "$e2e_work/game.out")', expected the credit line '$credit'"
}

# The bundled demo content, drawn fresh into $1.
e2e_demo() {
  "$QIRA_KIT" demo "$1" >/dev/null || fail "qira-kit demo failed"
}

# A picture decoded through qira-kit, as a PPM in the game's colours.
e2e_decode() {
  "$QIRA_KIT" convert "$1" "$2" >/dev/null 2>"$e2e_work/convert.err" ||
    fail "qira-kit convert $1 $2: $(cat "$e2e_work/convert.err")"
}

# Closes the game's window as a window manager's close button would.
e2e_close_window() {
  local ids
  ids=$(xdotool search --name '.*' 2>/dev/null | tr '\n' ' ')
  # shellcheck disable=SC2086
  python3 "$E2E_DIR/xclose.py" $ids >/dev/null || fail "no window takes WM_DELETE_WINDOW"
}
