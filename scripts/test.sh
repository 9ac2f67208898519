#!/usr/bin/env bash
# Runs every test: formatting, the native tests (plain and with ASan + UBSan), the Windows build
# with its tests under Wine, the length of every function, and the end-to-end checks of the real
# program. Installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh native windows desktop

echo "== formatting"
scripts/check-format.sh

for preset in linux linux-asan; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j"$(nproc)"
done

echo "== windows"
cmake --preset windows >/dev/null
cmake --build --preset windows
# Now and then Wine fails to start a test process at all (it dies at once, printing nothing); a
# test that fails for real fails on every try.
scripts/with-wine.sh ctest --preset windows --repeat until-pass:3

echo "== function sizes"
scripts/check-function-size.sh

echo "== end-to-end (Windows program under Wine)"
scripts/e2e.sh
