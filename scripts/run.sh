#!/usr/bin/env bash
# The main job: builds the Windows program and runs the clock under Wine. Arguments go to the
# program: none for the desktop clock, /s for the screensaver, /c for the settings dialog.
# On a machine without a display the clock runs in a virtual one for a few seconds
# (TAVRINO_SHOW_SECONDS, default 8) and a screenshot shows what it drew.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh native windows desktop
cmake --preset windows >/dev/null
cmake --build --preset windows --target tavrino
exe="$PWD/build/windows/src/win32/tavrino.exe"

if [[ -n "${DISPLAY:-}" ]]; then
    exec scripts/with-wine.sh wine "$exe" "$@"
fi
exec scripts/with-wine.sh scripts/show-headless.sh "$exe" "$@"
