#!/usr/bin/env bash
# Cold start of the main window until it is first shown, and peak memory: median of N runs.
# Usage: bench/startup/startup.sh [BUILD_DIR] [RUNS] [ARGS...]   (platform from QT_QPA_PLATFORM, default
# offscreen; run under `xvfb-run -a` with QT_QPA_PLATFORM=xcb for a real X server). ARGS go to the
# program, as on its command line (a settings file, --from-menu).
set -euo pipefail
build=${1:-build}
runs=${2:-15}
shift $(( $# < 2 ? $# : 2 ))
probe="$(cd "$build" && pwd)/bench/startup_probe"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
times=()
loads=()
mems=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    read -r entered shown mem < <("$probe" "$@" 2>/dev/null)
    times+=($(( (shown - start) / 1000 )))
    loads+=($(( (entered - start) / 1000 )))
    mems+=("$mem")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
spread() { echo "min $(printf '%s\n' "$@" | sort -n | head -1), max $(printf '%s\n' "$@" | sort -n | tail -1)"; }
echo "platform $QT_QPA_PLATFORM, $runs runs"
echo "start to window shown: median $(median "${times[@]}") us ($(spread "${times[@]}"))"
echo "  of which before main() (loading and linking): median $(median "${loads[@]}") us ($(spread "${loads[@]}"))"
echo "peak resident memory: median $(median "${mems[@]}") KiB"
