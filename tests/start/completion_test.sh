#!/usr/bin/env bash
# The completion of v5ivez-cli offers what the program's own --help lists: commands, each command's
# options, the values of --by, serial ports for --port and settings files where a file goes.
# Usage: completion_test.sh BASH_COMPLETION COMPLETION_SCRIPT BIN_DIR
set -uo pipefail
source "$1"
source "$2"
export PATH="$3:$PATH"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir objects
touch site.v5 notes.txt objects/panel.v5

failures=0
# Completes the line as typed (a trailing space starts a new word) and compares the offers, sorted.
expect() {
    local line=$1 want=$2
    COMP_LINE=$line
    COMP_POINT=${#line}
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _v5ivez_cli
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
    if [[ $got != "$want" ]]; then
        echo "FAIL '$line': got '$got', want '$want'"
        failures=$((failures + 1))
    fi
}

expect "v5ivez-cli rep" "report"
expect "v5ivez-cli read-" "read-chip read-panel"
expect "v5ivez-cli --v" "--version"
expect "v5ivez-cli report --" "--help --utf8"
expect "v5ivez-cli write-panel --no-" "--no-backup --no-verify"
expect "v5ivez-cli keys site.v5 --by " "number unused zone"
expect "v5ivez-cli read-chip --port COM" "COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9"
# Settings files and the folders that may hold them; not other files.
expect "v5ivez-cli report " "objects site.v5"
expect "v5ivez-cli read-chip --port COM1 -o " "objects site.v5"
expect "v5ivez-cli diff site.v5 objects/" "objects/panel.v5"

if ((failures > 0)); then
    echo "$failures completion(s) wrong"
    exit 1
fi
echo "completion: all offers as expected"
