#!/bin/sh
# The installed launcher started without HOME: it takes the home directory from the password
# database, and when that has none it says what is missing and starts nothing.
# Usage: test_launcher.sh <configured launcher> <program dir below the prefix>
set -eu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/games" "$tmp/$2" "$tmp/bin" "$tmp/home"
cp "$1" "$tmp/games/qxpuzzle"
printf '#!/bin/sh\npwd -P >"%s/ran"\n' "$tmp" >"$tmp/$2/qxpuzzle"
# getent answers from $FAKE_HOME: a passwd line with that home, or "not found" (exit 2) when empty.
printf '#!/bin/sh\n[ -n "$FAKE_HOME" ] || exit 2\necho "player:x:$(id -u):$(id -g)::$FAKE_HOME:/bin/sh"\n' >"$tmp/bin/getent"
chmod +x "$tmp/games/qxpuzzle" "$tmp/$2/qxpuzzle" "$tmp/bin/getent"
run() { env -u HOME -u XDG_DATA_HOME PATH="$tmp/bin:$PATH" FAKE_HOME="$1" "$tmp/games/qxpuzzle"; }
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
