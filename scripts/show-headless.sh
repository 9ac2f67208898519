#!/usr/bin/env bash
# Runs the clock in a virtual display (scripts/with-display.sh sets one up) with a window
# manager, takes a screenshot once it has been up for a while, then closes it with Esc, and exits
# with the program's status. When the program ends by itself first, it says so, with the status.
#   scripts/show-headless.sh SHOT.png WINDOW-CLASS PROGRAM [ARGUMENTS...]
set -euo pipefail
shot="$1"
class="$2"
shift 2
seconds="${TAVRINO_SHOW_SECONDS:-8}"

openbox >/dev/null 2>&1 &
wm_pid=$!
xev -name tavrino-probe -geometry 8x8 >/dev/null 2>&1 &
probe_pid=$!
program_pid=""
trap 'kill $program_pid "$probe_pid" "$wm_pid" 2>/dev/null || true' EXIT

# openbox takes the display over before it manages windows, and drops a window mapped in between:
# a probe window is mapped again until openbox has framed it, and only then does the program start.
framed() {
    xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='
}
for _ in $(seq 1 15); do
    probe=$(xdotool search --name '^tavrino-probe$' 2>/dev/null | head -n 1 || true)
    for _ in $(seq 1 10); do
        [[ -n "$probe" ]] && framed "$probe" && break 2
        sleep 0.1
    done
    [[ -n "$probe" ]] && xdotool windowunmap "$probe" windowmap "$probe" 2>/dev/null || true
done
kill "$probe_pid" 2>/dev/null || true

"$@" >/dev/null 2>&1 &
program_pid=$!

# Says how the program ended, if it has, and exits with its status (1 for a plain 0).
exit_if_ended_by_itself() {
    if kill -0 "$program_pid" 2>/dev/null; then
        return
    fi
    local status=0
    wait "$program_pid" || status=$?
    echo "The program ended by itself $1, with exit status $status." >&2
    exit $((status == 0 ? 1 : status))
}

for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --class "$class" 2>/dev/null | head -n 1 || true)
    [[ -n "$window" ]] && break
    exit_if_ended_by_itself "before it showed a window"
    sleep 0.1
done
if [[ -z "${window:-}" ]]; then
    echo "The program opened no window." >&2
    exit 1
fi

sleep "$seconds"
exit_if_ended_by_itself "while it was shown"
import -window root "$shot"
echo "The clock ran for $seconds seconds in a virtual display; this is what it showed: $shot"

# Esc on the keyboard (XTEST), once the window has the focus. An event sent to the window itself
# fails for the key's release when the program has already closed the window on the press.
timeout 5 xdotool windowactivate --sync "$window" 2>/dev/null ||
    xdotool windowfocus "$window" 2>/dev/null || true
xdotool key Escape
for _ in $(seq 1 100); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$program_pid" 2>/dev/null; then
    echo "The program did not end on Esc; it was stopped." >&2
    exit 1
fi
status=0
wait "$program_pid" || status=$?
exit "$status"
