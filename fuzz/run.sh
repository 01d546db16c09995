#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, address and undefined-behaviour sanitizers) and runs each
# in turn for a bounded time on its seed corpus, then on the cases it has found before.
#   fuzz/run.sh [seconds-per-target] [target...]     (default 30 seconds, every target)
# A target that crashes or breaks one of its checks stops the run with a non-zero exit; the input that
# did it is left as fuzz/build/<target>-crash-*. Keep it as a regression case in fuzz/corpus/<target>/
# once it is mended. New inputs the fuzzer finds go to fuzz/build/found/<target>/, not into the repository.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(csv decimal reporttemplate wordfilter xlsx)

"$here/../scripts/install-deps.sh" --fuzz
build="$here/build"
cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2 --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for t in "${targets[@]}"; do
    found="$build/found/$t"
    mkdir -p "$found"
    echo "== fuzz_$t for ${seconds}s"
    # One worker: the machines this runs on are shared. Inputs beyond 4 kB prove nothing more here.
    "$build/fuzz_$t" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/$t-" -print_final_stats=1 "$found" "$here/corpus/$t" 2>"$build/$t.log" \
        || { tail -n 60 "$build/$t.log"; echo "fuzz_$t failed; the log is $build/$t.log" >&2; exit 1; }
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$build/$t.log" | sed "s/^/fuzz_$t /"
done
# Every target ran its time without a crash or a broken check (a failure has exited above).
echo "fuzz: ${#targets[@]} passed, 0 failed"
