#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent and quick when everything
# is already there: only missing packages are installed.
#   scripts/install-deps.sh native    compilers, GoogleTest, Google Benchmark, libpng, cairo, GTK 3,
#                                     Python, the X11 headers (Xlib, XShm, RandR, XFixes, Xinerama),
#                                     libwayland, wayland-scanner, wayland-protocols, xkbcommon,
#                                     gtk-layer-shell (the dialog above the Wayland screensaver)
#   scripts/install-deps.sh windows   MinGW-w64, Wine, Xvfb and NSIS for the Windows build, its
#                                     installer and its tests
#   scripts/install-deps.sh desktop   Xvfb, openbox, xdotool and friends for running and driving
#                                     the clock, xclock to measure it against, Xephyr for two
#                                     monitors
#   scripts/install-deps.sh daemons   the screensaver daemons the clock plugs into: xscreensaver
#                                     and XSecureLock
#   scripts/install-deps.sh fuzz      clang with libFuzzer and the sanitizers' runtime
#   scripts/install-deps.sh wayland   the Wayland checks' compositors and clients: sway (headless),
#                                     swayidle, swaylock, grim, wtype, swaybg and weston; Xvfb,
#                                     ImageMagick, and libwayland with wayland-scanner for their
#                                     pointer helper
set -euo pipefail

declare -A groups=(
    [native]="cmake ninja-build g++ pkg-config python3 libgtest-dev libgmock-dev googletest libbenchmark-dev libpng-dev libcairo2-dev libgtk-3-dev clang-format clang-tidy libx11-dev libxext-dev libxrandr-dev libxfixes-dev libxinerama-dev libwayland-dev libwayland-bin wayland-protocols libxkbcommon-dev libgtk-layer-shell-dev"
    [windows]="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xauth python3 nsis"
    [daemons]="xscreensaver xscreensaver-data xsecurelock"
    [fuzz]="cmake ninja-build clang libclang-rt-14-dev libpng-dev"
    [wayland]="sway swayidle swaylock grim wtype swaybg weston libwayland-dev libwayland-bin xvfb xauth imagemagick python3"
    [desktop]="xvfb xauth openbox xdotool x11-utils x11-xserver-utils x11-apps imagemagick xcompmgr libxfixes-dev xserver-xephyr python3"
)

wanted=()
for group in "${@:-native}"; do
    [[ -n "${groups[$group]:-}" ]] || { echo "install-deps: unknown group '$group'" >&2; exit 2; }
    read -r -a names <<<"${groups[$group]}"
    wanted+=("${names[@]}")
done

missing=()
for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
