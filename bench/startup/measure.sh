#!/usr/bin/env bash
# Start-up time (process start → main menu mapped) and resident memory 3 s after start of the game,
# under Xvfb. Usage: measure.sh [path/to/qxpuzzle] [runs]
# The first run only warms the caches and is not counted.
set -euo pipefail
program=$(readlink -f "${1:-build/run/qxpuzzle}")
runs=${2:-10}
display=${QX_BENCH_DISPLAY:-:93}
[ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }

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

times=()
rss=()
for i in $(seq 0 "$runs"); do
  cd "$work"
  t0=$(date +%s%N)
  "$program" >/dev/null 2>>"$work/stderr.txt" &
  pid=$!
  # Short pauses between polls: a burst of connections can make the X server refuse the game's.
  until xdotool search --onlyvisible --name '^ＱＸパズル$' >/dev/null 2>&1; do
    sleep 0.003
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window was shown:" >&2; cat "$work/stderr.txt" >&2; exit 1; }
  done
  t1=$(date +%s%N)
  sleep "$(awk -v t0="$t0" -v now="$(date +%s%N)" 'BEGIN { s = 3 - (now - t0) / 1e9; print (s > 0 ? s : 0) }')"
  kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  if [ "$i" -gt 0 ]; then
    times+=($(( (t1 - t0) / 1000000 )))
    rss+=("$kb")
  fi
done

median() { printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print (NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2) }'; }
echo "runs:              $runs (after one warm-up run)"
echo "start to mapped:   median $(median "${times[@]}") ms  (all: ${times[*]})"
echo "RSS after 3 s:     median $(( $(median "${rss[@]}" | cut -d. -f1) / 1024 )) MiB  (kB: ${rss[*]})"
