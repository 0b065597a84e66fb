#!/bin/sh
# The installed launcher started without HOME: it takes the home directory from the password
# database, and when that has none it says what is missing and starts nothing. Without any
# display it says so and starts nothing; with an X display only it picks the X11 platform.
# Usage: test_launcher.sh <configured launcher> <program dir below the prefix>
set -eu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/games" "$tmp/$2" "$tmp/bin" "$tmp/home"
cp "$1" "$tmp/games/qxpuzzle"
printf '#!/bin/sh\npwd -P >"%s/ran"\necho "$QT_QPA_PLATFORM" >"%s/platform"\n' "$tmp" "$tmp" >"$tmp/$2/qxpuzzle"
# getent answers from $FAKE_HOME: a passwd line with that home, or "not found" (exit 2) when empty.
printf '#!/bin/sh\n[ -n "$FAKE_HOME" ] || exit 2\necho "player:x:$(id -u):$(id -g)::$FAKE_HOME:/bin/sh"\n' >"$tmp/bin/getent"
chmod +x "$tmp/games/qxpuzzle" "$tmp/$2/qxpuzzle" "$tmp/bin/getent"
run() { env -u HOME -u XDG_DATA_HOME QT_QPA_PLATFORM=offscreen PATH="$tmp/bin:$PATH" FAKE_HOME="$1" "$tmp/games/qxpuzzle"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

run "$tmp/home" || fail "launcher exited with $? although the password database has a home"
want=$(cd "$tmp/home" && pwd -P)/.local/share/qxpuzzle
[ "$(cat "$tmp/ran" 2>/dev/null)" = "$want" ] || fail "program ran in '$(cat "$tmp/ran" 2>/dev/null)', not in $want"
[ -L "$want/oto" ] || fail "no oto link in $want"

rm -f "$tmp/ran"
if run "" 2>"$tmp/err"; then fail "launcher succeeded without any home directory"; fi
[ ! -e "$tmp/ran" ] || fail "program started without a home directory"
grep -q HOME "$tmp/err" || fail "no message naming HOME on stderr: $(cat "$tmp/err")"
echo "launcher finds the home without HOME and refuses clearly without one"

rm -f "$tmp/ran"
on() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$tmp/home" "$@" "$tmp/games/qxpuzzle"; }
if on 2>"$tmp/err"; then fail "launcher succeeded without any display"; fi
[ ! -e "$tmp/ran" ] || fail "program started without a display"
grep -q "no display" "$tmp/err" || fail "no message about the missing display on stderr: $(cat "$tmp/err")"
on DISPLAY=:61 || fail "launcher exited with $? although DISPLAY is set"
[ "$(cat "$tmp/platform")" = xcb ] || fail "platform '$(cat "$tmp/platform")' chosen for an X display"
echo "launcher refuses plainly without a display and picks X11 for an X display"
