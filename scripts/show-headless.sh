#!/usr/bin/env bash
# Runs the clock in a virtual display (scripts/with-display.sh sets one up) with a window
# manager, takes a screenshot once it has been up for a while, then closes it with Esc.
#   scripts/show-headless.sh SHOT.png WINDOW-CLASS PROGRAM [ARGUMENTS...]
set -euo pipefail
shot="$1"
class="$2"
shift 2
seconds="${TAVRINO_SHOW_SECONDS:-8}"

openbox >/dev/null 2>&1 &
wm_pid=$!
"$@" >/dev/null 2>&1 &
program_pid=$!
trap 'kill "$program_pid" "$wm_pid" 2>/dev/null || true' EXIT

for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --class "$class" 2>/dev/null | head -n 1 || true)
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
