#!/usr/bin/env bash
# What the full-screen clock costs at 3840 x 2160 next to xclock, and how late its ring dots
# light: builds the program and the render tool, then runs bench/measure_idle.py in an Xvfb
# screen of its own. Arguments go to the script (for example --seconds 10). Installs what it
# needs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh native windows desktop

cmake --preset windows >/dev/null
cmake --build --preset windows --target tavrino
cmake --preset linux >/dev/null
cmake --build --preset linux --target tavrino-render

python3 bench/measure_idle.py --build build/windows --render build/linux/tavrino-render "$@"
