#!/usr/bin/env bash
# Installs the Debian packages Tessaly needs that are not there yet.
#   install-deps.sh          what building and running the program needs
#   install-deps.sh --test   that, plus what the tests need (the package's test too)
#   install-deps.sh --package that, plus what building and checking the Debian package needs
set -euo pipefail

build_packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
    libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc unixodbc tdsodbc
    libsqlite3-dev libcurl4-openssl-dev libsodium-dev libcsv-dev libxlsxwriter-dev
    gstreamer1.0-plugins-good
    fonts-liberation fonts-urw-base35 fonts-dejavu-core
)
test_packages=(
    libgtest-dev postgresql poppler-utils zbar-tools unzip python3-pyftpdlib
    xvfb xauth imagemagick xdotool
    clang libclang-rt-14-dev
)
package_packages=(
    dpkg-dev file lintian desktop-file-utils appstream man-db
)

packages=("${build_packages[@]}")
case "${1:-}" in
--test) packages+=("${test_packages[@]}" "${package_packages[@]}") ;;
--package) packages+=("${package_packages[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
