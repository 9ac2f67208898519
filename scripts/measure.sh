#!/usr/bin/env bash
# What the clock costs next to xclock, and how late its ring dots light: builds the programs and
# the render tool, then runs bench/measure_native.py (the native Linux clock) and
# bench/measure_idle.py (the Windows program under Wine), each in an Xvfb screen of its own.
# Arguments go to both (for example --seconds 10). Installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh native windows desktop

# A configured build folder is only built: the build itself configures again when a CMake file
# changed.
for preset in windows linux; do
    [[ -f "build/$preset/CMakeCache.txt" ]] || cmake --preset "$preset" >/dev/null
done
cmake --build --preset windows --target tavrino
cmake --build --preset linux --target tavrino tavrino-render

echo "== the native clock"
python3 bench/measure_native.py --build build/linux "$@"
echo "== the Windows program under Wine"
python3 bench/measure_idle.py --build build/windows --render build/linux/tavrino-render "$@"
