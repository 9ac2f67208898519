#!/usr/bin/env bash
# End-to-end checks of the clock on Wayland: installs the build's and the checks' packages, builds
# the linux preset, then runs tests/e2e_wayland/run_wayland_e2e.py, which starts a headless sway
# (and a weston) of its own for each scenario and drives the installed clock there with the real
# swayidle, swaylock, grim and wtype. Arguments go to it, for example --only baseline,pointer or
# --list; it prints one line per check and the number passed and failed, and where the
# screenshots are.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh native wayland

cmake --preset linux >/dev/null
cmake --build --preset linux

exec python3 tests/e2e_wayland/run_wayland_e2e.py --build build/linux "$@"
