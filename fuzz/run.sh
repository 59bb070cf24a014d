#!/usr/bin/env bash
# Usage: fuzz/run.sh SECONDS
# Builds the fuzz targets with clang into build-fuzz/ and runs each one for
# SECONDS seconds on a working corpus in .fuzz-corpus/ (kept between runs,
# seeded from fuzz/corpus/). Exits non-zero when a target crashes; the input
# that did it is left in .fuzz-corpus/crashes/.
set -euo pipefail
seconds=${1:?uso: fuzz/run.sh SEGUNDOS}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/ensure-packages cmake ninja-build clang libclang-rt-14-dev ccache

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_CXX_COMPILER=clang++ -DCARTULO_FUZZ=ON -DCARTULO_TESTS=OFF -DCARTULO_WERROR=ON \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build build-fuzz --target cartulo_fuzz_targets

mkdir -p .fuzz-corpus/crashes
status=0
for source in fuzz/fuzz_*.cpp; do
    target=$(basename "$source" .cpp)
    seeds=fuzz/corpus/${target#fuzz_}
    corpus=.fuzz-corpus/${target#fuzz_}
    mkdir -p "$corpus"
    [[ -d $seeds ]] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
    echo "== $target, ${seconds} s"
    log=.fuzz-corpus/$target.log
    # The fuzzer's progress goes to a log; only its summary is shown, or the
    # whole log's end when it found a crash.
    if "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix=.fuzz-corpus/crashes/"$target"- "$corpus" >"$log" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units)' "$log" || true
    else
        tail -40 "$log"
        echo "$target falló; la entrada está en .fuzz-corpus/crashes/" >&2
        status=1
    fi
done
exit "$status"
