#!/usr/bin/env bash
# Cold start of any build of the window, the installed one too, from outside: from its start until the
# X server maps its window, median of N runs, each in a fresh folder holding a V5ivez.ini.
# Usage: DISPLAY=:N bench/startup/window_start.sh BUILD_DIR [RUNS] [PROGRAM [ARGS...]]
#   e.g. bench/startup/window_start.sh build 20 /usr/bin/v5ivez --from-menu
set -euo pipefail
watch="$(cd "$1" && pwd)/bench/window_watch"
runs=${2:-20}
shift $(( $# < 2 ? $# : 2 ))
program=("$@")
[ ${#program[@]} -gt 0 ] || program=("$(cd "$(dirname "$watch")/.." && pwd)/bin/v5ivez")
times=()
for _ in $(seq "$runs"); do
    work=$(mktemp -d)
    # A folder the program has run in before: its V5ivez.ini is there.
    printf 1 > "$work/V5ivez.ini"
    times+=("$(cd "$work" && QT_QPA_PLATFORM=xcb "$watch" "${program[@]}" 2>/dev/null)")
    rm -rf "$work"
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "${program[*]}: start to window mapped, $runs runs: median $(awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}' <<<"$sorted") us" \
    "(min $(head -1 <<<"$sorted"), max $(tail -1 <<<"$sorted"))"
