#!/usr/bin/env bash
# Takes docs/screenshots/puzzle1.png and puzzle2.png: the staged Release build (scripts/stage.sh)
# started under Xvfb with a fresh HOME, a game window opened from the main menu and a new problem
# started in it. Xvfb and the game are stopped in every case.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() { echo "screenshots: FAILED: $*" >&2; exit 1; }

stage=$(scripts/stage.sh) || fail "Release build or staged install"
out=docs/screenshots
mkdir -p "$out"
tmp=$(mktemp -d)
xvfb_pid="" game_pid=""
stop_game() {
  [ -z "$game_pid" ] || { kill "$game_pid" 2>/dev/null || true; wait "$game_pid" 2>/dev/null || true; }
  game_pid=""
}
cleanup() {
  stop_game
  [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; }
  rm -rf "$tmp"
}
trap cleanup EXIT

# shellcheck source=scripts/xvfb.sh
. scripts/xvfb.sh
start_xvfb

find_window() {  # title pattern, seconds
  local id
  id=$(timeout "$2" xdotool search --sync --onlyvisible --name "$1" | head -n1) || true
  [ -n "$id" ] || fail "no window '$1' within $2 s"
  echo "$id"
}

shoot() {  # main-menu button top, game title pattern, 新しい問題 left, 新しい問題 top, file
  rm -rf "$tmp/home" && mkdir "$tmp/home"
  # A UTF-8 locale as in a desktop session: in the C locale the WM_NAME that Qt sets does not
  # hold the title as UTF-8, and xdotool, which searches WM_NAME, would not find "ＱＸパズル".
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u QT_QPA_PLATFORM -u LC_ALL LANG=C.UTF-8 HOME="$tmp/home" \
    "$stage/usr/games/qxpuzzle" >"$tmp/game.log" 2>&1 &
  game_pid=$!
  local menu game box
  menu=$(find_window '^ＱＸパズル$' 30)
  click_client "$menu" 528 361 372 "$1"
  game=$(find_window "$2" 10)
  click_client "$game" 692 486 $(($3 + 30)) $(($4 + 12))
  box=$(find_window '^確認$' 10)  # 始めてもいいですか？
  xdotool windowfocus --sync "$box" key Return
  sleep 1
  import -window "$game" "$out/$5"
  echo "screenshots: $out/$5"
  stop_game
}

shoot 123 'QXパズルⅠ$' 520 72 puzzle1.png
shoot 163 'QXパズルⅡ$' 552 64 puzzle2.png
