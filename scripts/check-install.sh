#!/usr/bin/env bash
# Checks the installed game as a player meets it: a Release build staged under /usr, its desktop
# entry and AppStream data pass the validators, and the installed launcher, started under Xvfb with
# a fresh HOME, maps the main menu and creates the record database. Any failed step ends the script
# with a message and a non-zero status; Xvfb and the game are stopped in every case.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() { echo "check-install: FAILED: $*" >&2; exit 1; }

stage=$(scripts/stage.sh) || fail "Release build or staged install"
for f in games/qxpuzzle libexec/qxpuzzle/qxpuzzle libexec/qxpuzzle/libqxcues.so share/qxpuzzle/oto/pipo.wav \
         share/icons/hicolor/scalable/apps/qxpuzzle.svg share/man/man6/qxpuzzle.6; do
  [ -e "$stage/usr/$f" ] || fail "/usr/$f is not installed"
done
desktop-file-validate "$stage/usr/share/applications/qxpuzzle.desktop" || fail "desktop entry"
appstreamcli validate --pedantic --no-net "$stage/usr/share/metainfo/io.github.qxpuzzle.metainfo.xml" \
  || fail "AppStream data"

tmp=$(mktemp -d)
xvfb_pid="" game_pid=""
cleanup() {
  [ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

# shellcheck source=scripts/xvfb.sh
. scripts/xvfb.sh
start_xvfb

mkdir "$tmp/home"
# A UTF-8 locale as in a desktop session: in the C locale the WM_NAME that Qt sets does not
# hold the title as UTF-8, and xdotool, which searches WM_NAME, would not find "ＱＸパズル".
env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u QT_QPA_PLATFORM -u LC_ALL LANG=C.UTF-8 HOME="$tmp/home" \
  "$stage/usr/games/qxpuzzle" >"$tmp/game.log" 2>&1 &
game_pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^ＱＸパズル$' | head -n1) || true
[ -n "$window" ] || fail "the main menu did not map within 30 s; game output: $(cat "$tmp/game.log")"
xwininfo -id "$window" | grep -q 'Map State: IsViewable' || fail "the main menu is not viewable"
database="$tmp/home/.local/share/qxpuzzle/data/kiroku.sqlite"
for _ in $(seq 50); do [ -s "$database" ] && break; sleep 0.1; done
[ -s "$database" ] || fail "$database was not created"
kill -0 "$game_pid" 2>/dev/null || fail "the game ended by itself: $(cat "$tmp/game.log")"
# The sound cues play through a module loaded once the menu is on screen.
for _ in $(seq 50); do grep -q libqxcues "/proc/$game_pid/maps" && break; sleep 0.1; done
grep -q libqxcues "/proc/$game_pid/maps" || fail "the game did not load its sound module"
# Nothing at start-up reads an image: no image-format plugin is loaded.
! grep -q /imageformats/ "/proc/$game_pid/maps" || fail "start-up loaded image-format plugins"

# 終了 asks in a box centred on the screen, frame included (no window manager runs here, so the
# window is its own frame).
xdotool mousemove --window "$window" 70 8
sleep 0.2
xdotool click 1
box=""
for _ in $(seq 50); do
  box=$(xdotool search --onlyvisible --name '.' | grep -vx "$window" | head -n1) || true
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "終了 showed no box"
sleep 0.3  # the box places itself once it is shown
eval "$(xdotool getwindowgeometry --shell "$box")"
read -r screen_width screen_height < <(xdotool getdisplaygeometry)
off_x=$(( X + WIDTH / 2 - screen_width / 2 )); off_y=$(( Y + HEIGHT / 2 - screen_height / 2 ))
[ "${off_x#-}" -le 2 ] && [ "${off_y#-}" -le 2 ] \
  || fail "the 終了 box is not centred: ${WIDTH}x${HEIGHT} at $X,$Y is off by $off_x,$off_y"
xdotool key Escape || true
echo "check-install: the 終了 question is centred on the screen"
echo "check-install: installed launcher maps the main menu, creates $(basename "$database") and loads its sound module"
