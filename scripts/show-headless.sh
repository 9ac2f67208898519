#!/usr/bin/env bash
# Runs the program in the virtual display scripts/with-wine.sh set up, with a window manager,
# takes a screenshot once the clock has been up for a while, then closes it with Esc.
set -euo pipefail
exe="$1"
shift
shot="$(cd "$(dirname "$0")/.." && pwd)/build/windows/tavrino-screen.png"
seconds="${TAVRINO_SHOW_SECONDS:-8}"

openbox >/dev/null 2>&1 &
wm_pid=$!
wine "$exe" "$@" >/dev/null 2>&1 &
program_pid=$!
trap 'kill "$program_pid" "$wm_pid" 2>/dev/null || true' EXIT

for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --class 'tavrino.exe' 2>/dev/null | head -n 1 || true)
    [[ -n "$window" ]] && break
    sleep 0.1
done
if [[ -z "${window:-}" ]]; then
    echo "The program opened no window." >&2
    exit 1
fi

sleep "$seconds"
import -window root "$shot"
echo "The clock ran for $seconds seconds in a virtual display; this is what it showed: $shot"
xdotool key --window "$window" Escape
wait "$program_pid" 2>/dev/null || true
