#!/usr/bin/env bash
# Start-up time (process start → the X server maps the main menu) and resident memory 3 s after
# start, of the game, of a window with the main menu's texts in the same faces and of a bare Qt
# window of the same size, run alternately under Xvfb; the figures to watch are the ratios.
# Usage: measure.sh [path/to/qxpuzzle] [runs] [directory of bare_window, text_window, time_to_map]
# The first run of each only warms the caches and is not counted.
set -euo pipefail
program=$(readlink -f "${1:-build/run/qxpuzzle}")
runs=${2:-10}
tools=$(readlink -f "${3:-$(dirname "$program")/../bench/startup}")
display=${QX_BENCH_DISPLAY:-:93}
[ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }
for t in bare_window text_window time_to_map; do
  [ -x "$tools/$t" ] || { echo "no $t in $tools (build the target $t)" >&2; exit 2; }
done
export LANG=C.UTF-8 QT_LOGGING_RULES='*.debug=false;*.warning=false'

export DISPLAY=$display
started_xvfb=
if ! xdotool getdisplaygeometry >/dev/null 2>&1; then
  Xvfb "$display" -screen 0 1280x1024x24 -noreset >/dev/null 2>&1 &
  started_xvfb=$!
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
fi

work=$(mktemp -d)
cleanup() {
  rm -rf "$work"
  [ -n "$started_xvfb" ] && kill "$started_xvfb" 2>/dev/null || true
}
trap cleanup EXIT
# The game runs where oto/ resolves, as from the run directory.
ln -s "$(dirname "$program")/oto" "$work/oto"
cd "$work"

declare -A ms kb med_ms med_kb
for i in $(seq 0 "$runs"); do
  for w in game text bare; do
    case $w in
      game) line=$("$tools/time_to_map" 'ＱＸパズル' 3 "$program" 2>>"$work/stderr.txt") ;;
      text) line=$("$tools/time_to_map" 'text window' 3 "$tools/text_window" 2>>"$work/stderr.txt") ;;
      bare) line=$("$tools/time_to_map" 'bare window' 3 "$tools/bare_window" 2>>"$work/stderr.txt") ;;
    esac || { echo "$w: failed:" >&2; tail -n 5 "$work/stderr.txt" >&2; exit 1; }
    [ "$i" -gt 0 ] && { ms[$w]+="${line% *} "; kb[$w]+="${line#* } "; }
  done
done

median() { printf '%s\n' $1 | sort -n | awk '{ a[NR] = $1 } END { print (NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2) }'; }
for w in game text bare; do med_ms[$w]=$(median "${ms[$w]}"); med_kb[$w]=$(median "${kb[$w]}"); done
echo "runs:                        $runs each, alternating (after one warm-up run each)"
for w in game text bare; do
  printf '%-4s start to mapped:        median %6.1f ms  (all: %s)\n' "$w" "${med_ms[$w]}" "${ms[$w]% }"
done
for w in game text; do
  printf 'ratio %s / bare:            %.2f\n' "$w" "$(awk -v a="${med_ms[$w]}" -v b="${med_ms[bare]}" 'BEGIN { print a / b }')"
done
for w in game text bare; do
  printf '%-4s RSS after 3 s:          median %5.1f MiB  (kB: %s)\n' "$w" \
    "$(awk -v k="${med_kb[$w]}" 'BEGIN { print k / 1024 }')" "${kb[$w]% }"
done
