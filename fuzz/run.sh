#!/usr/bin/env bash
# fuzz/run.sh [SECONDS [TARGET...]]: builds the libFuzzer targets (all, or those named) in
# build-fuzz/ (clang, with the address and undefined-behaviour sanitizers) and runs each for
# SECONDS (default 60), starting from its seed corpus in
# fuzz/corpus/<target>/. New inputs go to build-fuzz/corpus/<target>/, findings (with the log of
# the run) to build-fuzz/findings/<target>/. FUZZ_JOBS targets run at a time (default 1). Exits
# non-zero when a target found something.
set -euo pipefail
seconds="${1:-60}"
cd "$(dirname "$0")/.."
source scripts/setup.sh
install_missing_packages
install_fuzz_packages

targets=("${@:2}")
if [ "${#targets[@]}" -eq 0 ]; then
    for source in fuzz/*_fuzz.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Release -DQV_FUZZ=ON -DQV_BENCH=OFF
cmake --build build-fuzz -j2 --target "${targets[@]}"

# Qt is not built with the sanitizers and keeps what it allocates until the process ends: leaks
# are not looked for. A report of undefined behaviour ends the run like any other finding.
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
runtarget() {
    local target="$1"
    local corpus="build-fuzz/corpus/$target" findings="build-fuzz/findings/$target"
    mkdir -p "$corpus" "$findings" "fuzz/corpus/$target"
    if "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$findings/" \
        "$corpus" "fuzz/corpus/$target" >"$findings/run.log" 2>&1; then
        echo "$target: $(grep -E '^stat::number_of_executed_units' "$findings/run.log" |
            awk '{print $2}') runs, no finding"
    else
        echo "$target: FINDING (see $findings/run.log)"
        return 1
    fi
}

jobs="${FUZZ_JOBS:-1}"
failed=0
running=()
for target in "${targets[@]}"; do
    if [ "${#running[@]}" -ge "$jobs" ]; then
        wait "${running[0]}" || failed=1
        running=("${running[@]:1}")
    fi
    runtarget "$target" &
    running+=("$!")
done
for pid in "${running[@]}"; do
    wait "$pid" || failed=1
done
exit "$failed"
