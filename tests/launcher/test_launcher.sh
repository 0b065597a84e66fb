#!/bin/sh
# The installed launcher started without HOME: it takes the home directory from the password
# database, and when that has none it says what is missing and starts nothing. Without any
# display it says so and starts nothing; it hands the game (alone) the platform of the desktop:
# Wayland on KDE Plasma's Wayland session, X11 elsewhere with an X display, nothing the player set.
# Usage: test_launcher.sh <configured launcher> <program dir below the prefix>
set -eu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/games" "$tmp/$2" "$tmp/bin" "$tmp/home"
cp "$1" "$tmp/games/qxpuzzle"
printf '#!/bin/sh\npwd -P >"%s/ran"\necho "${QT_QPA_PLATFORM:-}|$*" >"%s/platform"\n' "$tmp" "$tmp" >"$tmp/$2/qxpuzzle"
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
args=""
# shellcheck disable=SC2086 # the arguments are split into words on purpose
on() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_CURRENT_DESKTOP -u XDG_SESSION_TYPE HOME="$tmp/home" \
    "$@" "$tmp/games/qxpuzzle" $args
}
if on 2>"$tmp/err"; then fail "launcher succeeded without any display"; fi
[ ! -e "$tmp/ran" ] || fail "program started without a display"
grep -q "no display" "$tmp/err" || fail "no message about the missing display on stderr: $(cat "$tmp/err")"
# expect <want> <settings...>: what the game got (QT_QPA_PLATFORM|its arguments) with these settings and arguments.
expect() {
  want=$1
  shift
  on QT_PLUGIN_PATH="$tmp/plugins" "$@" || fail "launcher exited with $? for $*"
  [ "$(cat "$tmp/platform")" = "$want" ] || fail "got '$(cat "$tmp/platform")', not '$want', for $*"
}
mkdir -p "$tmp/plugins/platforms" && touch "$tmp/plugins/platforms/libqwayland-generic.so"
x11="DISPLAY=:61" both="DISPLAY=:61 WAYLAND_DISPLAY=wayland-0"
# shellcheck disable=SC2086 # the settings are split into words on purpose
{
  expect "|-platform xcb" $x11
  expect "|-platform xcb" $both XDG_CURRENT_DESKTOP=GNOME
  expect "|-platform xcb" $both XDG_CURRENT_DESKTOP=ubuntu:GNOME
  expect "|-platform xcb" $both XDG_CURRENT_DESKTOP=sway
  expect "|-platform wayland;xcb" $both XDG_CURRENT_DESKTOP=KDE
  expect "|-platform wayland" WAYLAND_DISPLAY=wayland-0 XDG_CURRENT_DESKTOP=KDE
  expect "|-platform wayland" WAYLAND_DISPLAY=wayland-0
  expect "|-platform xcb" $x11 XDG_CURRENT_DESKTOP=KDE
  expect "|-platform wayland;xcb" $x11 XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland
  expect "offscreen|" $both XDG_CURRENT_DESKTOP=KDE QT_QPA_PLATFORM=offscreen
  args="-platform wayland -geometry 10x10"
  expect "|-platform wayland -geometry 10x10" $both
}
echo "launcher refuses plainly without a display and picks the desktop's platform for the game alone"
