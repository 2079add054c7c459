#!/usr/bin/env bash
# Start-up time of the game: from the process start to the first presented
# main-menu frame ("tarnwick --first-frame"), against a minimal SDL program that
# opens a window of the same size and presents once (first_frame_min). Both run
# in turn under one Xvfb display with SDL's software renderer and the dummy
# audio driver, on a copy of the Release game folder (windowed, 1280x720).
# Prints each one's median, the ratio (target: at most 1.2) and the median of
# each start-up step of the game; the loader thread's steps ("loader_...") run
# beside the main thread's and are listed apart from the sum.
#   bench/startup.sh [RUNS]     RUNS of each, default 15, after one warm-up each
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/rel"
runs="${1:-15}"

if [[ "${TW_STARTUP_INNER:-}" != 1 ]]; then
  command -v xvfb-run >/dev/null || { echo "startup.sh needs xvfb-run (package xvfb)" >&2; exit 1; }
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j4 --target tarnwick game_folder first_frame_min startup_time >/dev/null
  TW_STARTUP_INNER=1 exec xvfb-run -a -s "-screen 0 1280x720x24" "$0" "$runs"
fi

export SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy
game="$(mktemp -d)"
out="$(mktemp -d)"
trap 'rm -rf "$game" "$out"' EXIT
cp -r "$build/game/." "$game/"
rm -rf "$game/saves" "$game/config.ini"
printf '[Main]\r\nfull_screen=0\r\nwindowed_size=1280x720\r\n' >"$game/config.ini"
probe="$build/bench/startup_time"

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

(cd "$game" && "$probe" ./tarnwick --first-frame >/dev/null && "$probe" "$build/bench/first_frame_min" >/dev/null)
for ((i = 0; i < runs; i++)); do
  (cd "$game" && "$probe" ./tarnwick --first-frame) >>"$out/game"
  "$probe" "$build/bench/first_frame_min" >>"$out/min"
done

g="$(awk '$1 == "total" { print $2 }' "$out/game" | median)"
m="$(awk '$1 == "total" { print $2 }' "$out/min" | median)"
echo "runs of each: $runs"
echo "game, process start to first main-menu frame: median $g ms"
echo "minimal SDL program, start to first frame:     median $m ms"
awk -v g="$g" -v m="$m" 'BEGIN { printf "ratio game / minimal: %.2f (target at most 1.2)\n", g / m }'
echo "the game's start-up steps, median ms (before main: the rest of the total;"
echo "the loader thread's steps run beside the main thread's and are not in the sum):"
steps=0
for s in $(awk '$1 == "step" { print $2 }' "$out/game" | awk '!seen[$0]++'); do
  v="$(awk -v s="$s" '$1 == "step" && $2 == s { print $3 }' "$out/game" | median)"
  [[ "$s" == loader_* ]] || steps="$(awk -v a="$steps" -v b="$v" 'BEGIN { print a + b }')"
  printf '  %-20s %8s\n' "$s" "$v"
done
awk -v g="$g" -v s="$steps" 'BEGIN { printf "  %-20s %8.2f\n", "before_main", g - s }'
