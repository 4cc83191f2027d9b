#!/usr/bin/env bash
# Cold start of the main window until it is first shown, and peak memory: median of N runs.
# Usage: bench/startup/startup.sh [BUILD_DIR] [RUNS]   (platform from QT_QPA_PLATFORM, default offscreen;
# run under `xvfb-run -a` with QT_QPA_PLATFORM=xcb for a real X server)
set -euo pipefail
build=${1:-build}
runs=${2:-15}
probe="$(cd "$build" && pwd)/bench/startup_probe"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
times=()
mems=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    read -r shown mem < <("$probe" 2>/dev/null)
    times+=($(( (shown - start) / 1000 )))
    mems+=("$mem")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "platform $QT_QPA_PLATFORM, $runs runs"
echo "start to window shown: median $(median "${times[@]}") us (min $(printf '%s\n' "${times[@]}" | sort -n | head -1), max $(printf '%s\n' "${times[@]}" | sort -n | tail -1))"
echo "peak resident memory: median $(median "${mems[@]}") KiB"
