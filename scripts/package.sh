#!/usr/bin/env bash
# Builds the Debian package: a Release tree in build-package with Debian's own compiler and linker
# flags, the three programs, their manual pages, and build-package/v5ivez_<version>_<arch>.deb.
#   ./scripts/package.sh        then: sudo apt install ./build-package/v5ivez_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
# Besides the build's packages: the libraries the package needs (dpkg-shlibdeps), the manual pages, and
# the validators of the package, its menu entry and its AppStream description that package-check.sh runs.
./scripts/deps.sh dpkg-dev file help2man man-db lintian desktop-file-utils appstream
# Debian's hardening (stack protector, fortified functions, read-only relocations), as lintian expects
# of a package; without -g, since the package's programs are stripped anyway.
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cxxflags=${cxxflags//-g /}
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-DNDEBUG" \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DV5_BUILD_TESTS=OFF -DV5_BUILD_BENCH=OFF -DV5_PACKAGE=ON
cmake --build build-package -j "$(nproc)"
rm -f build-package/v5ivez_*.deb
(cd build-package && cpack -G DEB)
ls build-package/v5ivez_*.deb
