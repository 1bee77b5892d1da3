#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer)
# in build-fuzz and runs each for the given seconds (default 60) from a copy of its seed
# corpus in fuzz/corpus/. Fails when a target finds a crash or a broken property; the
# input that shows it is kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DYURANA_FUZZ=ON -DYURANA_TESTS=OFF -DYURANA_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz_all

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
artifacts=build-fuzz/artifacts
mkdir -p "$artifacts"

status=0
for target in numbers decoding slot_load slot_save measured; do
    corpus=$scratch/$target
    mkdir -p "$corpus"
    cp fuzz/corpus/$target/* "$corpus"/
    dict=fuzz/slot.dict
    [ "$target" = numbers ] || [ "$target" = measured ] && dict=fuzz/numbers.dict
    log=$scratch/$target.log
    if build-fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -dict="$dict" -artifact_prefix="$artifacts/$target-" \
        "$corpus" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        files=$(find "$corpus" -type f | wc -l)
        bytes=$(find "$corpus" -type f -printf '%s\n' | awk '{s += $1} END {print s + 0}')
        printf '%-10s %10s executions in %s s, corpus %s inputs (%s bytes)\n' \
            "$target" "$runs" "$seconds" "$files" "$bytes"
    else
        tail -n 60 "$log"
        echo "fuzz_$target FAILED; its input is in $artifacts/" >&2
        status=1
    fi
done
exit $status
