#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need (only those that are
# missing), then configures and builds into build/. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(cmake ninja-build g++ pkgconf qt6-base-dev qt6-svg-dev libwmf-dev fonts-urw-base35
          libemf2svg-dev fonts-dejavu-core xvfb xauth poppler-utils clang-format lld
          qt6-translations-l10n desktop-file-utils appstream dpkg-dev libxml2-utils shared-mime-info
          imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_=""; [ "$(id -u)" = 0 ] || sudo_=sudo
  export DEBIAN_FRONTEND=noninteractive
  $sudo_ apt-get update -q
  $sudo_ apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
werror=OFF
[ "${CI:-}" = true ] && werror=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPUNTELA_WERROR=$werror
cmake --build build -j"$(nproc)"
