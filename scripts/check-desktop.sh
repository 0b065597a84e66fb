#!/usr/bin/env bash
# Checks the installed game on the desktops a player may have: under a headless Wayland compositor
# (weston) with Qt's Wayland platform, the launcher starts the game, a driver plugin opens both
# games and their start question, each window tells the compositor its parent, a maximize asked
# as Qt's own title bar asks it comes back at the window's size, and the game does not end;
# under Xvfb with a dark GTK theme the main menu looks exactly as with the light one, while the
# message boxes follow the dark theme. The launcher must choose Wayland on KDE Plasma and X11 on
# GNOME (X and Wayland displays both there) and on a desktop it does not know; on X11 without a
# window manager, a shortcut must work in a game window right after one of its boxes was answered
# from the keyboard. Any failed step ends the script with a message and a non-zero status; the
# servers and the game are stopped in every case.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() { echo "check-desktop: FAILED: $*" >&2; exit 1; }

stage=$(scripts/stage.sh) || fail "Release build or staged install"
cmake -S tests/desktop -B build-release/driver -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null \
  && cmake --build build-release/driver >/dev/null || fail "the desktop driver plugin"

tmp=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
game() {  # game <log> <env options and settings...>: the installed launcher with a fresh home, in the background
  local log=$1; shift
  mkdir -p "$tmp/home"
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u QT_QPA_PLATFORM -u LC_ALL -u XDG_CURRENT_DESKTOP -u XDG_SESSION_TYPE \
    "$@" LANG=C.UTF-8 HOME="$tmp/home" "$stage/usr/games/qxpuzzle" >"$log" 2>&1 &
  pids+=($!)
  game_pid=$!
}
expect_platform() {  # expect_platform <platform> <desktop>: what the launcher handed the running game
  local got
  got=$(tr '\0' '\n' <"/proc/$game_pid/cmdline" | sed -n '/^-platform$/{n;p;}')
  [ "$got" = "$1" ] || fail "$2: the launcher chose the platform '$got', not '$1'"
}

# shellcheck source=scripts/xvfb.sh
. scripts/xvfb.sh
start_xvfb
pids+=("$xvfb_pid")

# ---- native Wayland --------------------------------------------------------------------------
mkdir -m 700 "$tmp/runtime"
socket=qxcheck-$$
XDG_RUNTIME_DIR="$tmp/runtime" weston --backend=headless-backend.so --socket="$socket" --width=1280 \
  --height=1024 --idle-time=0 >"$tmp/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -S "$tmp/runtime/$socket" ] && break; sleep 0.1; done
[ -S "$tmp/runtime/$socket" ] || fail "weston did not start: $(cat "$tmp/weston.log")"
# KDE Plasma's Wayland session with XWayland: the X display is there too.
game "$tmp/wayland.log" XDG_CURRENT_DESKTOP=KDE XDG_RUNTIME_DIR="$tmp/runtime" WAYLAND_DISPLAY="$socket" WAYLAND_DEBUG=client \
  QT_PLUGIN_PATH="$PWD/build-release/driver" QT_QPA_GENERIC_PLUGINS=qxdriver
for _ in $(seq 300); do grep -aq '^driver: done' "$tmp/wayland.log" && break; kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
sleep 2  # anything the compositor still sends arrives now
grep -a '^driver:' "$tmp/wayland.log" | sed 's/^/check-desktop: wayland: /' || true
kill -0 "$game_pid" 2>/dev/null || fail "the game ended under Wayland: $(grep -av '^\[' "$tmp/wayland.log" | tail -n 5)"
expect_platform "wayland;xcb" "KDE Plasma on Wayland"
grep -aq '^driver: done' "$tmp/wayland.log" || fail "the driver did not get through both games"
[ "$(grep -ac 'transient for "　\?QXパズル' "$tmp/wayland.log")" -eq 2 ] \
  || fail "a start question is not transient for its game window"
[ "$(grep -ac 'set_parent(xdg_toplevel' "$tmp/wayland.log")" -ge 4 ] \
  || fail "the compositor was not told the parents of the game windows and boxes"
grep -aq 'maximize offered: yes' "$tmp/wayland.log" && fail "a fixed-size window offers maximize"
[ "$(grep -ac '^driver: game .* maximize undone' "$tmp/wayland.log")" -eq 2 ] \
  || fail "a game window did not come back from a maximize at its size"
kill "$game_pid"

# ---- X11 with a light and a dark GTK theme -----------------------------------------------------
menu_shot() {  # menu_shot <name> <env...>: the main menu, its clock masked, and a 終了 box
  local name=$1; shift
  rm -rf "$tmp/home"
  game "$tmp/$name.log" -u WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME=gtk3 "$@"
  local window
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^ＱＸパズル$' | head -n1) || true
  [ -n "$window" ] || fail "$name: the main menu did not map: $(cat "$tmp/$name.log")"
  expect_platform xcb "$name"
  sleep 1
  import -window "$window" "$tmp/$name.png"
  convert "$tmp/$name.png" -fill black -draw "rectangle 360,357 527,378" "$tmp/$name-masked.png"
  xdotool mousemove --window "$window" 70 8 click 1
  local box=""
  for _ in $(seq 50); do
    box=$(xdotool search --onlyvisible --name '^確認$' | head -n1) || true
    [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || fail "$name: 終了 showed no box"
  sleep 0.5
  import -window "$box" "$tmp/$name-box.png"
  kill "$game_pid"
  wait "$game_pid" 2>/dev/null || true
}
menu_shot light XDG_CURRENT_DESKTOP=X-Unknown
menu_shot dark GTK_THEME=Adwaita:dark
differing=$(compare -metric AE "$tmp/light-masked.png" "$tmp/dark-masked.png" null: 2>&1) || true
[ "$differing" = 0 ] || fail "the main menu differs in $differing pixels under the dark theme"
brightness() { convert "$1" -colorspace Gray -format '%[fx:int(100*mean)]' info:; }
light_box=$(brightness "$tmp/light-box.png") dark_box=$(brightness "$tmp/dark-box.png")
[ "$dark_box" -lt 50 ] && [ "$light_box" -ge 50 ] \
  || fail "the dark theme did not reach the desktop (box brightness light $light_box%, dark $dark_box%)"

# ---- GNOME on Wayland (XWayland), the keyboard after a box without a window manager -----------
rm -rf "$tmp/home"
game "$tmp/focus.log" XDG_CURRENT_DESKTOP=GNOME XDG_RUNTIME_DIR="$tmp/runtime" WAYLAND_DISPLAY="$socket"
menu=$(timeout 30 xdotool search --sync --onlyvisible --name '^ＱＸパズル$' | head -n1) || true
[ -n "$menu" ] || fail "GNOME: the main menu did not map on X11: $(cat "$tmp/focus.log")"
expect_platform xcb "GNOME on Wayland"
click_client "$menu" 528 361 372 123
puzzle=$(timeout 10 xdotool search --sync --onlyvisible --name 'QXパズルⅠ$' | head -n1) || true
[ -n "$puzzle" ] || fail "Puzzle I did not open from the main menu"
click_client "$puzzle" 692 486 550 84  # 新しい問題
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^確認$' | head -n1) || true
[ -n "$box" ] || fail "新しい問題 showed no box"
for _ in $(seq 50); do [ "$(xdotool getwindowfocus)" = "$box" ] && break; sleep 0.1; done
xdotool key Return  # OK: the problem starts
for _ in $(seq 50); do [ "$(xdotool getwindowfocus)" = "$puzzle" ] && break; sleep 0.1; done
[ "$(xdotool getwindowfocus)" = "$puzzle" ] || fail "the keyboard focus did not come back to Puzzle I after its box"
# 最短手数 answers in a box of the program's title, the main menu's other window of that title.
xdotool key ctrl+m
for _ in $(seq 100); do
  [ "$(xdotool search --onlyvisible --name '^ＱＸパズル$' | wc -l)" -ge 2 ] && break
  sleep 0.1
done
[ "$(xdotool search --onlyvisible --name '^ＱＸパズル$' | wc -l)" -ge 2 ] \
  || fail "Ctrl+M (最短手数) did nothing in Puzzle I after its box was answered"

if [ -n "${QX_DESKTOP_SHOTS:-}" ]; then cp "$tmp"/*.png "$QX_DESKTOP_SHOTS"/; fi
echo "check-desktop: Wayland game ran both games and their start question over their parents;" \
     "the main menu is identical under a dark GTK theme (boxes: light $light_box%, dark $dark_box% bright);" \
     "KDE got Wayland, GNOME and an unknown desktop X11; a shortcut works right after a box"
