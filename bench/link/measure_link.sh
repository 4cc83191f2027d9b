#!/usr/bin/env bash
# Measures the device transfers through v5ivez-sim paced like a 115200-baud line:
#   - chip read: median of RUNS reads against 2.90 s (32772 bytes on the wire plus the 55 ms wake-up);
#   - chip write and panel write: one run each against the sum of their fixed pauses plus the wire time;
#   - panel write with its backup read before and its check read after, against the bare panel write;
#   - the longest stretch without event processing during any of them (what a window would feel).
# Not a test: run it by hand on a quiet machine.
#   bench/link/measure_link.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-7}
cli=$(realpath "$build/bin/v5ivez-cli")
sim=$(realpath "$build/bin/v5ivez-sim")
[ -x "$cli" ] && [ -x "$sim" ] || { echo "build v5ivez-cli and v5ivez-sim in $build first" >&2; exit 2; }

work=$(mktemp -d)
sim_pid=
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
head -c 32768 /dev/urandom > "$work/image.v5"

"$sim" --quiet --chip "$work/image.v5" > "$work/sim.out" &
sim_pid=$!
for _ in $(seq 100); do [ -s "$work/sim.out" ] && break; sleep 0.05; done
port=$(head -n 1 "$work/sim.out")

# Prints "seconds gap_ms" of one transfer.
measure() {
    "$cli" "$@" --port "$port" --stats 2> "$work/err" || { cat "$work/err" >&2; exit 1; }
    sed -n 's/^transfer: \([0-9.]*\) s; longest stretch without event processing: \([0-9.]*\) ms$/\1 \2/p' "$work/err"
}

byte_s=$(awk 'BEGIN { printf "%.9f", 10 / 115200 }')
gaps=()

reads=()
for i in $(seq "$runs"); do
    read -r s g < <(measure read-chip -o "$work/read.v5")
    cmp -s "$work/read.v5" "$work/image.v5" || { echo "chip read $i differs" >&2; exit 1; }
    reads+=("$s"); gaps+=("$g")
done
median=$(printf '%s\n' "${reads[@]}" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
awk -v m="$median" -v b="$byte_s" -v runs="$runs" -v all="${reads[*]}" 'BEGIN {
    wire = 32772 * b
    printf "chip read (%d runs): %s s\n  median %.3f s; 2.90 s reference: ratio %.4f; wire alone %.3f s + 0.055 s wake-up\n",
        runs, all, m, m / 2.90, wire }'

# Prints a write's time against its fixed pauses plus what crosses the simulated line (the module's
# replies; the program's blocks go into the terminal at once), and what a real line adds.
report_write() {
    awk -v name="$1" -v s="$2" -v pauses="$3" -v replies="$4" -v blocks="$5" -v b="$byte_s" 'BEGIN {
        expected = pauses + replies * b
        printf "%s: %.3f s\n  pauses %.3f s + simulated wire %.4f s = %.3f s: ratio %.4f\n",
            name, s, pauses, replies * b, expected, s / expected
        printf "  on a real line the blocks add %.3f s on the wire (each pause follows its block): %.3f s\n",
            blocks * b, expected + blocks * b }'
}

# Wake-up 5 + 50 ms, 20 ms settle, 512 blocks each followed by 50 ms; the status waits at the first check.
read -r s g < <(measure write-chip "$work/image.v5"); gaps+=("$g")
report_write "chip write" "$s" "$(awk 'BEGIN { print 0.055 + 0.020 + 512 * 0.050 }')" 5 32769

# Wake-up, one 20 ms poll before the ready byte is there, 192 blocks each followed by 100 ms.
read -r s g < <(measure write-panel --no-backup --no-verify "$work/image.v5"); gaps+=("$g")
report_write "panel write" "$s" "$(awk 'BEGIN { print 0.055 + 0.020 + 192 * 0.100 }')" 2 12289
bare=$s

# The same write with a panel read before it (the backup, saved under backups/ in a scratch folder) and
# one after it (the check): each read is 32768 bytes on the wire, polled every 100 ms.
read -r s g < <(cd "$work" && measure write-panel "$work/image.v5"); gaps+=("$g")
awk -v s="$s" -v bare="$bare" -v b="$byte_s" 'BEGIN {
    read = 0.055 + 32768 * b
    printf "panel write with backup and check: %.3f s\n  bare write %.3f s: ratio %.4f; two reads add %.3f s, each at least %.3f s on the wire\n",
        s, bare, s / bare, s - bare, read }'

printf 'longest stretch without event processing: %s ms\n' "$(printf '%s\n' "${gaps[@]}" | sort -n | tail -n 1)"
