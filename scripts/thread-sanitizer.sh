#!/usr/bin/env bash
# Builds the library, the console program and the test program with
# ThreadSanitizer in a build folder of its own (build-tsan/, without the Qt
# front end and the benchmarks), its test program from the tests of what
# evaluates on worker threads only: the evaluator itself, the covariance
# grids and the posterior grid, in process and through the console; and
# runs them. Any report of
# a data race ends the run with a failure.
#
#   scripts/thread-sanitizer.sh            # build and run
#   TSAN_BUILD_DIR=/tmp/tsan scripts/thread-sanitizer.sh
set -euo pipefail
cd "$(dirname "$0")/.."

build="${TSAN_BUILD_DIR:-build-tsan}"
jobs="${TSAN_JOBS:-$(nproc)}"
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

start=$(date +%s)
cmake -S . -B "$build" -G Ninja "${launcher[@]}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVANE_GUI=OFF -DQUORVANE_BENCH=OFF -DQUORVANE_THREAD_TESTS_ONLY=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread"
cmake --build "$build" -j "$jobs" --target quorvane_tests quorvane-console

export TSAN_OPTIONS="halt_on_error=1 abort_on_error=0 exitcode=66 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
# The console tests start the console program of this build, which inherits
# these options; their runs are threaded as well.
"$build/tests/quorvane_tests" --gtest_brief=1
echo "thread-sanitizer: no report; $(($(date +%s) - start)) s"
