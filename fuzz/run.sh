#!/usr/bin/env bash
# Builds the fuzz targets into ./build-fuzz (clang, sanitizers) and runs one or all of them.
#   fuzz/run.sh [seconds] [target...]     default: 60 seconds, every target one after another
# Each target starts from its seeds in fuzz/seeds/<target>/ and grows its corpus in
# build-fuzz/corpus/<target>/; a crash input lands in build-fuzz/findings/<target>/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(tokenizer line_load translation_data page_rewrite page_head page_serializer page_capture
           integer_syntax recovery_record)
fi
build="$here/build-fuzz"
if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  CXX=clang++ CC=clang cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKAVELIN_FUZZ=ON -DKAVELIN_BUILD_TESTS=OFF -DKAVELIN_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$build" --target "${targets[@]}"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t" "$build/findings/$t"
  echo "== $t: $seconds s"
  "$build/fuzz/$t" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$t/" "$build/corpus/$t" "$here/fuzz/seeds/$t"
done
