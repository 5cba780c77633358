#!/bin/bash
# make install into a DESTDIR lays out the programs and the demo; the menu entry, metainfo and
# manual pages pass their validators; the icons are PNGs of their sizes; the game started as the
# menu entry starts it shows the title and ends on Escape; make uninstall removes every file.
source "$QIRA_SOURCE_DIR/tests/e2e/lib.sh"
dest=$work/dest root=$work/dest$QIRA_PREFIX
entry=$root/share/applications/qira.desktop
DESTDIR=$dest cmake --install "$QIRA_BUILD_DIR" >"$work/install.log" 2>&1 ||
  fail "install: $(tail -n 5 "$work/install.log")"

out=$("$root/bin/qira-kit" check "$root/share/games/qira" 2>&1) &&
  [ "$(tail -n 1 <<<"$out")" = "5 sets, all would play" ] || fail "the installed demo folder: $out"
[ "$("$root/bin/qira-kit" --version)" = "qira-kit $QIRA_VERSION" ] || fail "qira-kit --version"

out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] ||
  fail "desktop entry: $out"
out=$(appstreamcli validate --no-net "$root/share/metainfo/$QIRA_APP_ID.metainfo.xml" 2>&1) ||
  fail "metainfo: $out"
for page in man6/qira.6.gz man1/qira-kit.1.gz; do
  out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/$page" 2>&1 >"$work/p") &&
    [ -z "$out" ] && grep -q "^EXIT STATUS" "$work/p" && grep -q "QIRA $QIRA_VERSION" "$work/p" ||
    fail "$page: $out (or no exit status or version)"
done
for s in 16 32 48 64 128 256; do # PNG signature, then an IHDR of s x s, 8-bit RGBA
  [ "$(od -An -tx1 -N26 "$root/share/icons/hicolor/${s}x${s}/apps/qira.png" | tr -d ' \n')" = \
    "$(printf '89504e470d0a1a0a0000000d49484452%08x%08x0806' $s $s)" ] || fail "icon $s px"
done
pass "five demo sets; desktop-file-validate, appstreamcli, man --warnings: clean; icons RGBA"

# As the menu starts it: its Exec in its Path.
exec=$(sed -n 's/^Exec=//p' "$entry") path=$(sed -n 's/^Path=//p' "$entry")
[ "$exec" = "$QIRA_PREFIX/games/qira" ] && [ "$path" = "$QIRA_PREFIX/share/games/qira" ] ||
  fail "the entry starts '$exec' in '$path'"
grep -qx "StartupWMClass=qira" "$entry" || fail "no StartupWMClass=qira"
QIRA_BIN=$dest$exec
decode "$dest$path/velmorea.pi1" "$work/title.ppm"
start_x
start_game "$dest$path"
wait_screen 10 same "$work/title.ppm" || fail "the title differs: $shot"
for w in $(xdotool search --pid "$game_pid"); do xprop -id "$w" WM_CLASS; done | grep -q '"qira"' ||
  fail "no window of class qira, so the task bar would not find the entry's icon"
key Escape
expect_end 0

DESTDIR=$dest cmake --build "$QIRA_BUILD_DIR" --target uninstall >/dev/null || fail uninstall
left=$(find "$dest" ! -type d) && [ -z "$left" ] && [ ! -e "$root/share/games/qira" ] ||
  fail "uninstall left $left"
pass "started as the menu starts it, the title, Escape: status 0; uninstall removes every file"
