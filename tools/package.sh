#!/usr/bin/env bash
# Sets up and builds (tools/setup.sh), then makes the Debian package build/puntela_<version>_<arch>.deb
# with cpack; its library dependencies are computed by dpkg-shlibdeps. Install it with
#   sudo apt-get install ./build/puntela_*.deb      and remove it with   sudo apt-get remove puntela
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cd build
rm -f puntela_*.deb
cpack -G DEB
if command -v lintian >/dev/null; then
  lintian puntela_*.deb
fi
ls "$PWD"/puntela_*.deb
