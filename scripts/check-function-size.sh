#!/usr/bin/env bash
# Runs clang-tidy with the project's .clang-tidy over the compile commands of the linux, fuzz and
# windows builds, which must exist (scripts/test.sh builds them first), and fails on any finding:
# among them a function of ours longer than 60 lines. The Windows sources are parsed as MinGW-w64
# code with the cross compiler's C++ headers.
set -euo pipefail
cd "$(dirname "$0")/.."

tidy=(clang-tidy --quiet)
mingw=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix/include/c++ | head -1)
windows=(--target=x86_64-w64-mingw32 "-isystem$mingw" "-isystem$mingw/x86_64-w64-mingw32")

is_windows='^(src/win32|tests/win32|tests/e2e/tools)/'
is_fuzz='^fuzz/'
git ls-files '*.cpp' | grep -Ev "$is_windows|$is_fuzz" |
    xargs -P "$(nproc)" -n 8 "${tidy[@]}" -p build/linux 2>/dev/null
git ls-files '*.cpp' | grep -E "$is_fuzz" |
    xargs -P "$(nproc)" -n 8 "${tidy[@]}" -p build/fuzz 2>/dev/null
git ls-files '*.cpp' | grep -E "$is_windows" |
    xargs -P "$(nproc)" -n 8 "${tidy[@]}" -p build/windows "${windows[@]/#/--extra-arg=}" \
        2>/dev/null
echo "clang-tidy: no findings, no function over 60 lines"
