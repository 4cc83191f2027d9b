#!/usr/bin/env bash
# Checks the Debian package that ./scripts/package.sh made: its file list and dependencies; the
# programs run from the package unpacked into a temporary root; lintian; the menu entry, the AppStream
# description and the manual pages.   ./scripts/package-check.sh [PACKAGE.deb]
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(ls build-package/v5ivez_*.deb)}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() {
    echo "package-check: $*" >&2
    exit 1
}

# Exactly these files: the programs and what a desktop, man and bash need of them.
expected=(
    ./usr/bin/v5ivez
    ./usr/bin/v5ivez-cli
    ./usr/bin/v5ivez-sim
    ./usr/share/applications/ru.v5ivez.V5ivez.desktop
    ./usr/share/bash-completion/completions/v5ivez-cli
    ./usr/share/doc/v5ivez/changelog.gz
    ./usr/share/doc/v5ivez/copyright
    ./usr/share/icons/hicolor/scalable/apps/ru.v5ivez.V5ivez.svg
    ./usr/share/man/man1/v5ivez-cli.1.gz
    ./usr/share/man/man1/v5ivez-sim.1.gz
    ./usr/share/man/man1/v5ivez.1.gz
    ./usr/share/metainfo/ru.v5ivez.V5ivez.metainfo.xml
    ./usr/share/mime/packages/ru.v5ivez.V5ivez.xml
)
diff -u <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) \
    <(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | LC_ALL=C sort) ||
    fail "the package's files differ from the list above"

version=$(dpkg-deb -f "$deb" Version)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in qt6-translations-l10n libqt6widgets6 libqt6serialport6; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

# The programs from the unpacked package, on the system's libraries.
dpkg -x "$deb" "$root"
bin=$root/usr/bin
[[ $("$bin/v5ivez-cli" version) == "v5ivez-cli $version" ]] || fail "v5ivez-cli version is not $version"
[[ $("$bin/v5ivez" --version) == "v5ivez $version" ]] || fail "v5ivez --version is not $version"
[[ $("$bin/v5ivez-sim" --version) == "v5ivez-sim $version" ]] || fail "v5ivez-sim --version is not $version"
head -c 32768 /dev/zero > "$root/blank.v5"
(cd "$root" && "$bin/v5ivez-cli" report blank.v5) || fail "v5ivez-cli report failed"
[[ -s $root/report.txt ]] || fail "v5ivez-cli report wrote no report.txt"

# Errors fail the check, and so does any warning not explained here:
#   (none yet)
lintian --fail-on error,warning --tag-display-limit 0 "$deb"

desktop-file-validate "$root/usr/share/applications/ru.v5ivez.V5ivez.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/ru.v5ivez.V5ivez.metainfo.xml"

for program in v5ivez v5ivez-cli v5ivez-sim; do
    page=$root/usr/share/man/man1/$program.1.gz
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "man $program: $warnings"
    text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null)
    for section in NAME SYNOPSIS DESCRIPTION FILES "EXIT STATUS"; do
        grep -q "^$section" <<<"$text" || fail "man $program has no $section section"
    done
done
# The Cyrillic of the help texts survives help2man.
grep -q "Вистан-5" <<<"$(LC_ALL=C.UTF-8 man -l "$root/usr/share/man/man1/v5ivez.1.gz" 2>/dev/null)" ||
    fail "man v5ivez lost the Cyrillic of the help text"
echo "package-check: $(basename "$deb") passed"
