#!/usr/bin/env bash
# Runs a command with a Wine environment for the Windows programs and tests: a prefix of our own
# in the build tree (created once and reused), no crash debugger, and an Xvfb display when there
# is none.
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

xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [[ -z "${DISPLAY:-}" ]]; then
    fifo=$(mktemp -u); mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r display <"$fifo"; rm -f "$fifo"
    export DISPLAY=":$display"
fi

# Start the wineserver and let the first call's helper processes come up without our output.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 || true
"$@"
