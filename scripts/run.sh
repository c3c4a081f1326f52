#!/usr/bin/env bash
# Installs what is missing, builds Kestrova and starts it.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/deps.sh" run
source "$top/scripts/env.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" -j"$(nproc)" --target kestrova
exec "$top/build/kestrova" "$@"
