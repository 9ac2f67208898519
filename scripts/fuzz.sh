#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for SECONDS (default 15) each, starting from
# its seeds in fuzz/corpus. The inputs the fuzzer generates, and any it finds, go to a temporary
# folder, never into the repository; a finding is kept there and named at the end.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-15}"
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || { echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2; }

scripts/install-deps.sh fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

work="$(mktemp -d)"
failed=()
for seeds in fuzz/corpus/*/; do
    target="$(basename "$seeds")"
    corpus="$work/$target"
    mkdir -p "$corpus"
    cp "$seeds"* "$corpus/"
    echo "== fuzz $target (${seconds}s)"
    if ! "build/fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -artifact_prefix="$corpus/" \
        -print_final_stats=1 "$corpus" >"$work/$target.log" 2>&1; then
        failed+=("$target")
    fi
    grep -E '^(Done|stat::number_of_executed_units)' "$work/$target.log" || true
done

if [[ ${#failed[@]} -gt 0 ]]; then
    for target in "${failed[@]}"; do
        echo "fuzz: $target found a fault; its log and input are in $work/$target*" >&2
        grep -E 'property broken|ERROR|runtime error|SUMMARY' "$work/$target.log" >&2 || true
    done
    exit 1
fi
rm -rf "$work"
