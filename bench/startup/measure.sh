#!/usr/bin/env bash
# Start-up time (process start → main menu mapped) and resident memory 3 s after start of the game
# and of a bare Qt window of the same size, run alternately under Xvfb; the figure to watch is the
# ratio. Usage: measure.sh [path/to/qxpuzzle] [runs] [path/to/bare_window]
# The first run of each only warms the caches and is not counted.
set -euo pipefail
program=$(readlink -f "${1:-build/run/qxpuzzle}")
runs=${2:-10}
bare=$(readlink -f "${3:-$(dirname "$program")/../bench/startup/bare_window}")
display=${QX_BENCH_DISPLAY:-:93}
[ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }
[ -x "$bare" ] || { echo "no bare window at $bare (build the target bare_window)" >&2; exit 2; }
export LANG=C.UTF-8  # window titles reach the X server as UTF-8

export DISPLAY=$display
started_xvfb=
if ! xdotool getdisplaygeometry >/dev/null 2>&1; then
  Xvfb "$display" -screen 0 1280x1024x24 -noreset >/dev/null 2>&1 &
  started_xvfb=$!
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
fi

# An X server resets when its last client leaves and refuses connections meanwhile; one idle
# client held open for the whole measurement keeps it up between runs.
xprop -root -spy >/dev/null 2>&1 &
holder=$!

work=$(mktemp -d)
cleanup() {
  kill "$holder" 2>/dev/null || true
  rm -rf "$work"
  [ -n "$started_xvfb" ] && kill "$started_xvfb" 2>/dev/null || true
}
trap cleanup EXIT
# The game runs where oto/ resolves, as from the run directory.
ln -s "$(dirname "$program")/oto" "$work/oto"

# One start of `program` until a window named like `pattern` is mapped, then 3 s: "ms kB".
run_once() {
  local program=$1 pattern=$2 t0 t1 pid kb
  cd "$work"
  t0=$(date +%s%N)
  "$program" >/dev/null 2>>"$work/stderr.txt" &
  pid=$!
  # Short pauses between polls: a burst of connections can make the X server refuse the program's.
  until xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; do
    sleep 0.003
    kill -0 "$pid" 2>/dev/null || { echo "$program ended before its window was shown:" >&2; cat "$work/stderr.txt" >&2; exit 1; }
  done
  t1=$(date +%s%N)
  sleep "$(awk -v t0="$t0" -v now="$(date +%s%N)" 'BEGIN { s = 3 - (now - t0) / 1e9; print (s > 0 ? s : 0) }')"
  kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$(( (t1 - t0) / 1000000 )) $kb"
}

game_ms=(); game_kb=(); bare_ms=(); bare_kb=()
for i in $(seq 0 "$runs"); do
  read -r ms kb < <(run_once "$program" '^ＱＸパズル$')
  [ "$i" -gt 0 ] && { game_ms+=("$ms"); game_kb+=("$kb"); }
  read -r ms kb < <(run_once "$bare" '^bare window$')
  [ "$i" -gt 0 ] && { bare_ms+=("$ms"); bare_kb+=("$kb"); }
done

median() { printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print (NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2) }'; }
gm=$(median "${game_ms[@]}"); bm=$(median "${bare_ms[@]}")
echo "runs:                   $runs each, alternating (after one warm-up run each)"
echo "game, start to mapped:  median $gm ms  (all: ${game_ms[*]})"
echo "bare, start to mapped:  median $bm ms  (all: ${bare_ms[*]})"
echo "ratio game / bare:      $(awk -v g="$gm" -v b="$bm" 'BEGIN { printf "%.2f", g / b }')"
echo "game, RSS after 3 s:    median $(( $(median "${game_kb[@]}" | cut -d. -f1) / 1024 )) MiB  (kB: ${game_kb[*]})"
echo "bare, RSS after 3 s:    median $(( $(median "${bare_kb[@]}" | cut -d. -f1) / 1024 )) MiB  (kB: ${bare_kb[*]})"
