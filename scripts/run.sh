#!/usr/bin/env bash
# The main job: builds the clock and runs it, natively on Linux; with --wine first, the Windows
# program under Wine instead. Arguments go to the program: none for the desktop clock, /s for the
# screensaver, /c for the settings dialog (and natively -root as a screensaver module).
# On a machine without a display the clock runs in a virtual one for a few seconds
# (TAVRINO_SHOW_SECONDS, default 8), a screenshot shows what it drew, and Esc closes it: the exit
# status is the program's, 0 for a clock that ran and was closed; a program that ended by itself
# is named as such, with its status (scripts/show-headless.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" == "--wine" ]]; then
    shift
    scripts/install-deps.sh native windows desktop
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target tavrino
    exe="$PWD/build/windows/src/win32/tavrino.exe"
    if [[ -n "${DISPLAY:-}" ]]; then
        exec scripts/with-wine.sh wine "$exe" "$@"
    fi
    exec scripts/with-wine.sh scripts/show-headless.sh "$PWD/build/windows/tavrino-screen.png" \
        tavrino.exe wine "$exe" "$@"
fi

scripts/install-deps.sh native desktop
cmake --preset linux >/dev/null
cmake --build --preset linux --target tavrino tavrino-settings
if [[ -n "${DISPLAY:-}" ]]; then
    exec build/linux/tavrino "$@"
fi
exec scripts/with-display.sh scripts/show-headless.sh "$PWD/build/linux/tavrino-screen.png" \
    tavrino build/linux/tavrino "$@"
