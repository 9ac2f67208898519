#!/usr/bin/env bash
# Runs every test: formatting, a configure without the test libraries as a distribution's would
# be, the native tests (plain and with ASan + UBSan), the Windows build with its tests under Wine,
# a short run of every fuzz target, clang-tidy with the length of every function, the end-to-end
# checks of the real programs (under Wine, native X11 and Wayland), and a short run of the idle
# measurement. Installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh native windows desktop fuzz

echo "== formatting"
scripts/check-format.sh

echo "== plain configure (no test libraries)"
scripts/check-plain-configure.sh

for preset in linux linux-asan; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j"$(nproc)"
done

echo "== windows"
cmake --preset windows >/dev/null
cmake --build --preset windows
# Now and then Wine fails to start a test process at all (it dies at once, printing nothing):
# only such a test is run again; any other failure fails at once.
scripts/with-wine.sh scripts/ctest-wine.py --preset windows

# Each fuzz target for a short while, from its seeds.
echo "== fuzzing"
scripts/fuzz.sh 15

echo "== clang-tidy and function sizes"
scripts/check-function-size.sh

echo "== end-to-end (Windows program under Wine)"
scripts/e2e.sh

echo "== end-to-end (native X11)"
scripts/e2e-x11.sh

echo "== end-to-end (native Wayland, headless sway and weston)"
scripts/e2e-wayland.sh

# A few seconds of each measurement, to see that the tool still measures: its figures are not
# judged here, so a busy machine cannot fail this step; only a run that takes no figure does.
echo "== idle measurement (short run)"
scripts/measure.sh --seconds 3 --settle 1 --dots 3
