#!/bin/bash
# make package: a Debian package of exactly the installed files, section games, depending on
# either SDL 1.2 flavour and on every library the programs link.
source "$QIRA_SOURCE_DIR/tests/e2e/lib.sh"
cpack -G DEB -B "$work" --config "$QIRA_BUILD_DIR/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
  fail "cpack: $(tail -n 5 "$work/cpack.log")"
deb=$work/qira_${QIRA_VERSION}_$(dpkg --print-architecture).deb

field() { dpkg-deb -f "$deb" "$1"; }
for kv in Package=qira "Version=$QIRA_VERSION" Section=games Priority=optional; do
  [ "$(field "${kv%%=*}")" = "${kv#*=}" ] || fail "${kv%%=*} is '$(field "${kv%%=*}")'"
done
[ "$(field Description | wc -l)" -gt 3 ] && [ -n "$(field Maintainer)" ] || fail "description"
depends=$(field Depends)
[[ ", $depends," == *", libsdl1.2debian | libsdl1.2-compat-shim,"* ]] || fail "SDL: $depends"
# Every library dpkg-shlibdeps finds, at its version; SDL is above, sanitizers only in tests.
dpkg-deb -x "$deb" "$work/root"
mkdir "$work/debian" && touch "$work/debian/control"
found=$(cd "$work" && dpkg-shlibdeps -O root"$QIRA_PREFIX"/{games/qira,bin/qira-kit} 2>/dev/null) ||
  fail "dpkg-shlibdeps failed"
IFS=, read -ra needs <<<"${found#shlibs:Depends=}"
for need in "${needs[@]}"; do
  read -r name _ op version <<<"${need//[()]/ }"
  [[ $name == libsdl1.2* || $name == lib*san* ]] && continue
  has=$(tr ',' '\n' <<<"$depends" | sed -n "s/^ *$name *(>= *\(.*\))$/\1/p; s/^ *$name *$/0/p")
  [ -n "$has" ] || fail "Depends lacks $name, which the programs link"
  [ -z "$version" ] || dpkg --compare-versions "$has" ge "$version" || fail "$name >= $version"
done

# The same files as the install, none more; the programs executable.
list=$(dpkg-deb -c "$deb")
got=$(awk '$1 !~ /^d/ {sub(/^\./, "", $6); print $6}' <<<"$list" | sort)
DESTDIR=$work/inst cmake --install "$QIRA_BUILD_DIR" >/dev/null || fail "install failed"
diff <(cd "$work/inst" && find . ! -type d | sed 's/^\.//' | sort) - <<<"$got" >"$work/diff" ||
  fail "file list (- missing, + extra): $(cat "$work/diff")"
programs="^-rwxr-xr-x root/root .* \.$QIRA_PREFIX/(games/qira|bin/qira-kit)$"
[ "$(grep -cE "$programs" <<<"$list")" = 2 ] || fail "the programs are not root-owned executables"
pass "control fields; $(wc -l <<<"$got") files, as installed; Depends: $depends"
