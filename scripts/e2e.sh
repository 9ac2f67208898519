#!/usr/bin/env bash
# End-to-end checks of the real Windows program under Wine: builds the program, the harness's
# Windows helpers and the native render tool the screenshots are compared with, then runs
# tests/e2e/run_e2e.py in an Xvfb desktop of its own. Arguments go to the harness
# (for example --only 4,5 or --verbose). Installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh native windows desktop

cmake --preset windows >/dev/null
cmake --build --preset windows
cmake --preset linux >/dev/null
cmake --build --preset linux --target tavrino-render

python3 tests/e2e/run_e2e.py --build build/windows --render build/linux/tavrino-render "$@"
