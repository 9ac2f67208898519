#!/usr/bin/env bash
# Runs a command with a Wine environment for the Windows programs and tests: a prefix of our own
# in the build tree (created once and reused), no crash debugger, and an Xvfb display when there
# is none (scripts/with-display.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LANG=C.UTF-8

if [[ ! -f "$WINEPREFIX/.tavrino-ready" ]]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 && wineserver -w
    # A crash must end the process, not start the debugger and hang.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d '' /f >/dev/null 2>&1
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.tavrino-ready"
fi

trap 'wineserver -k 2>/dev/null || true' EXIT

# Start the wineserver and let the first call's helper processes come up without our output.
"$root/scripts/with-display.sh" bash -c 'wineserver -p; wine cmd /c exit >/dev/null 2>&1 || true; "$@"' \
    with-wine "$@"
