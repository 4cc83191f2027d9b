#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need, if any is missing; packages
# named as arguments too (./scripts/fuzz.sh adds its compiler).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
    # Qt's own dialogs and messages in Russian: /usr/share/qt6/translations/qtbase_ru.qm
    qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth fonts-dejavu-core
    # Makes Noto Sans Mono the system's monospaced font, which says it is not fixed-pitch: the key list
    # must still line up its columns.
    fonts-noto-mono
    # The program's icon is drawn from its SVG at build time; the completion of v5ivez-cli is tested.
    librsvg2-bin bash-completion
    # The start-up benchmark times the window from outside, on the X server.
    libxcb1-dev
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}" >&2
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
