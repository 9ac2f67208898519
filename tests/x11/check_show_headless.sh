#!/usr/bin/env bash
# scripts/show-headless.sh against the program, as scripts/run.sh runs it on a machine without a
# display, each run in an Xvfb display of its own: the desktop clock, shown and closed with Esc,
# gives status 0 and a screenshot; a program that ends by itself (a preview without a window to
# live in) is named as such, with its status, and the run fails. Exits 77 when a tool is missing.
#   tests/x11/check_show_headless.sh PROGRAM
set -euo pipefail
program="$1"
scripts="$(cd "$(dirname "$0")/../../scripts" && pwd)"
for tool in Xvfb openbox xdotool xprop xev import; do
    command -v "$tool" >/dev/null || exit 77
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The clock's settings stay in here, and it runs on X even where the session offers Wayland.
export HOME="$work" XDG_CONFIG_HOME="$work/config" TAVRINO_SHOW_SECONDS=1
unset WAYLAND_DISPLAY WAYLAND_SOCKET

# show-headless.sh's status for the program with these arguments; what it says goes to output.
shown_status() {
    local status=0
    DISPLAY='' "$scripts/with-display.sh" "$scripts/show-headless.sh" "$work/shot.png" tavrino \
        "$program" "$@" >"$work/output" 2>&1 || status=$?
    echo "$status"
}

fail() {
    echo "show-headless: $*"
    cat "$work/output"
    exit 1
}

status=$(shown_status)
[[ $status -eq 0 ]] || fail "the clock closed with Esc gave status $status"
[[ -s "$work/shot.png" ]] || fail "the clock closed with Esc left no screenshot"

status=$(shown_status /p)
[[ $status -ne 0 ]] || fail "a program that ended by itself gave status 0"
grep -qx 'The program ended by itself before it showed a window, with exit status 0.' \
    "$work/output" || fail "a program that ended by itself was not named as such"
echo "show-headless: the clock closed with Esc gives 0; a program that ends by itself is named"
