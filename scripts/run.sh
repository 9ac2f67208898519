#!/usr/bin/env bash
# The main job: builds the clock and shows it. Installs what it needs.
# For now it renders the current face to a PNG and says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh native
cmake --preset linux >/dev/null
cmake --build --preset linux --target tavrino-render
out="$PWD/build/linux/tavrino-now.png"
build/linux/tavrino-render --output "$out"
echo "The clock as it is now: $out"
