#!/usr/bin/env bash
# End-to-end checks of the native X11 program: builds the linux preset's program and render tool,
# then runs tests/e2e_x11/run_x11_e2e.py in an Xvfb desktop of its own. Arguments go to the
# harness (for example --verbose). Installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh native windows desktop

cmake --preset linux >/dev/null
cmake --build --preset linux --target tavrino tavrino-render

python3 tests/e2e_x11/run_x11_e2e.py --build build/linux "$@"
