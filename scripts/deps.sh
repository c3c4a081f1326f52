#!/usr/bin/env bash
# Installs the Debian 12 packages Kestrova needs, only those that are missing.
#   deps.sh run    what building and starting the program needs
#   deps.sh test   that, plus what the tests need
set -euo pipefail

run_packages=(cmake g++ make pkg-config qt6-base-dev qt6-webengine-dev libqt6webenginecore6-bin
              libqt6opengl6-dev fonts-dejavu-core fonts-liberation2)
test_packages=(xvfb xauth poppler-utils dpkg-dev file desktop-file-utils appstream
               binutils-mingw-w64-x86-64 python3 clang libclang-rt-14-dev)

wanted=("${run_packages[@]}")
if [ "${1:-run}" = test ]; then
    wanted+=("${test_packages[@]}")
    command -v node >/dev/null 2>&1 || wanted+=(nodejs)
fi

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
