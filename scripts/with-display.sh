#!/usr/bin/env bash
# Runs a command on the display there is or, when there is none, in an Xvfb display of its own
# (1280 x 1024, 24 bit) that ends with it.
set -euo pipefail
if [[ -n "${DISPLAY:-}" ]]; then
    exec "$@"
fi
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
read -r display <"$fifo"
rm -f "$fifo"
export DISPLAY=":$display"
"$@"
