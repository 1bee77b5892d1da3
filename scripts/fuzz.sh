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

# One target: its report in $scratch/<target>.out, a failure marked by <target>.failed.
fuzz_one() {
    local target=$1 corpus=$scratch/$1 dict=fuzz/slot.dict log=$scratch/$1.log
    mkdir -p "$corpus"
    cp fuzz/corpus/$target/* "$corpus"/
    [ "$target" = numbers ] || [ "$target" = measured ] && dict=fuzz/numbers.dict
    if build-fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -dict="$dict" -artifact_prefix="$artifacts/$target-" \
        "$corpus" >"$log" 2>&1; then
        local runs files bytes
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        files=$(find "$corpus" -type f | wc -l)
        bytes=$(find "$corpus" -type f -printf '%s\n' | awk '{s += $1} END {print s + 0}')
        printf '%-10s %10s executions in %s s, corpus %s inputs (%s bytes)\n' \
            "$target" "$runs" "$seconds" "$files" "$bytes" >"$scratch/$target.out"
    else
        touch "$scratch/$target.failed"
        { tail -n 60 "$log" || true; echo "fuzz_$target FAILED; its input is in $artifacts/"; } \
            >"$scratch/$target.out"
    fi
}

# As many targets at a time as there are cores, each with a core of its own.
targets=(numbers decoding slot_load slot_save measured)
for target in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do
        wait -n || true
    done
    fuzz_one "$target" &
done
wait

status=0
for target in "${targets[@]}"; do
    # A target whose run ended without a report failed as well.
    if [ -e "$scratch/$target.failed" ] || [ ! -s "$scratch/$target.out" ]; then
        status=1
    fi
    cat "$scratch/$target.out" 2>/dev/null || echo "fuzz_$target FAILED without a report"
done
exit $status
