#!/usr/bin/env bash
# Shows that a change leaves the face's pixels alone: builds tavrino-render from BASE_REF
# (default: main) and from the working tree as it is, uncommitted edits included, renders the
# same sizes, times and digit colours with both and compares the PNG files byte for byte.
# Prints one line per difference and "N identical, M different"; exits 1 on any difference.
# Everything it makes lives in a temporary folder that it removes again.
#   scripts/compare-renders.sh [BASE_REF]
set -euo pipefail
cd "$(dirname "$0")/.."

base_ref=${1:-main}
git rev-parse --verify --quiet "$base_ref^{commit}" >/dev/null ||
    { echo "compare-renders: unknown revision '$base_ref'" >&2; exit 2; }
scripts/install-deps.sh native

tmp=$(mktemp -d "${TMPDIR:-/tmp}/tavrino-compare.XXXXXX")
cleanup() {
    git worktree remove --force "$tmp/base-source" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
git worktree add --quiet --detach "$tmp/base-source" "$base_ref"

build() {  # SOURCE_DIR BUILD_DIR: the linux preset's build of the render tool, elsewhere
    (cd "$1" && cmake --preset linux -B "$2" -DTAVRINO_BENCHMARKS=OFF >/dev/null)
    cmake --build "$2" --target tavrino-render >/dev/null
}
echo "compare-renders: building tavrino-render from $base_ref and from the working tree"
build "$tmp/base-source" "$tmp/base-build"
build "$PWD" "$tmp/new-build"

sizes=(32x32 48x48 64x64 100x100 106x106 256x256 512x512 1920x1080 333x777)
times=(00:00:00 09:59:59 10:08:42 23:59:59 12:34:56)
identical=0
different=0
for size in "${sizes[@]}"; do
    for time in "${times[@]}"; do
        for colour in blue green; do
            options=(--time "$time" --size "$size")
            [[ $colour == green ]] && options+=(--green)
            for side in base new; do
                "$tmp/$side-build/tavrino-render" "${options[@]}" --output "$tmp/$side.png"
            done
            if cmp -s "$tmp/base.png" "$tmp/new.png"; then
                identical=$((identical + 1))
            else
                echo "different: $size at $time, $colour digits"
                different=$((different + 1))
            fi
        done
    done
done
echo "$identical identical, $different different"
[[ $different -eq 0 ]]
