#!/usr/bin/env bash
# End-to-end checks of the native X11 program: builds the linux preset, then runs
# tests/e2e_x11/run_x11_e2e.py in an Xvfb desktop of its own (arguments go to it, for example
# --verbose), and tests/e2e_x11/daemons.py, which installs the program into a temporary folder and
# runs it under the real screensaver daemons, xscreensaver and XSecureLock. Installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh native desktop daemons

cmake --preset linux >/dev/null
cmake --build --preset linux

status=0
python3 tests/e2e_x11/run_x11_e2e.py --build build/linux "$@" || status=1
python3 tests/e2e_x11/daemons.py --build build/linux || status=1
exit "$status"
