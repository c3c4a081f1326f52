#!/usr/bin/env bash
# Installs what is missing, builds Kestrova with warnings as errors and runs every
# test headless (offscreen, or a virtual X server for keyboard tests).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/deps.sh" test
source "$top/scripts/env.sh"
build="$top/build-test"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTROVA_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure --timeout 900
