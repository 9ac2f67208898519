#!/usr/bin/env bash
# Configures (does not build) the native build as a user or a distribution would, on a machine
# without GoogleTest and Google Benchmark: it must succeed, say that the tests are skipped, still
# build the programs, and not turn warnings into errors. With TAVRINO_REQUIRE_TESTS, as in the
# presets, the same missing library must fail the configure.
set -euo pipefail
cd "$(dirname "$0")/.."

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
without=(-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)

fail() { echo "plain configure: $*" >&2; exit 1; }

cmake -S . -B "$work/plain" -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "${without[@]}" \
    >"$work/plain.log" 2>&1 || { cat "$work/plain.log" >&2; fail "failed"; }
grep -q 'not found: the tests and benchmarks are skipped' "$work/plain.log" ||
    fail "no note that the tests are skipped"
for program in tavrino tavrino-render tavrino-settings; do
    ninja -C "$work/plain" -t query "$program" >/dev/null 2>&1 || fail "$program is not built"
done
grep -q -- '-Wall' "$work/plain/compile_commands.json" || fail "the warnings are off"
! grep -q -- '-Werror' "$work/plain/compile_commands.json" || fail "warnings are errors"

if cmake -S . -B "$work/required" -G Ninja -DTAVRINO_REQUIRE_TESTS=ON "${without[@]}" \
    >"$work/required.log" 2>&1; then
    fail "TAVRINO_REQUIRE_TESTS accepted a missing GoogleTest"
fi
grep -q 'GoogleTest (with GoogleMock) not found' "$work/required.log" ||
    { cat "$work/required.log" >&2; fail "TAVRINO_REQUIRE_TESTS failed for another reason"; }
echo "plain configure: programs without the test libraries, warnings not errors"
