#!/usr/bin/env bash
# Fuzzes one reader with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer (needs Clang):
#
#   scripts/fuzz.sh TARGET [SECONDS] [libFuzzer options...]
#
# TARGET is algorithm_file, priors_file or series_setup (tests/fuzz). The
# run starts from the committed seeds in tests/fuzz/corpus/TARGET and grows
# a working corpus in build-fuzz/corpus/TARGET; inputs that break a property
# or crash land in build-fuzz/artifacts/TARGET/. Minimise one with
#   build-fuzz/tests/fuzz/fuzz_TARGET -minimize_crash=1 -runs=100000 FILE
# and commit it to the seed corpus once the fault is mended.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS] [libFuzzer options...]}
seconds=${2:-600}
shift $(( $# >= 2 ? 2 : 1 ))
BUILD=${BUILD:-build-fuzz}
JOBS=${JOBS:-2}
FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS"

cmake -S . -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DQUORVANE_GUI=OFF -DQUORVANE_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DCMAKE_CXX_FLAGS="$FLAGS" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  ${CMAKE_FLAGS:-} > /dev/null
cmake --build "$BUILD" -j"$JOBS" --target "fuzz_$target"

corpus="$BUILD/corpus/$target"
artifacts="$BUILD/artifacts/$target"
mkdir -p "$corpus" "$artifacts"
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:abort_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
exec "$BUILD/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$artifacts/" "$@" "$corpus" "tests/fuzz/corpus/$target"
