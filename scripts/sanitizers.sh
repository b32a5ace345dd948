#!/usr/bin/env bash
# The sanitizer pass: builds the library, the console and the tests once
# with AddressSanitizer and UndefinedBehaviorSanitizer (GCC or Clang, without
# the desktop application) in a build folder of its own, then runs the unit
# tests and the replay of the fuzz corpora. Any report ends the run with a
# failure: the sanitizers neither recover nor go on after the first error.
#
#   scripts/sanitizers.sh            build in build-sanitize and test
#   BUILD=dir JOBS=n scripts/sanitizers.sh
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build-sanitize}
JOBS=${JOBS:-2}
# _GLIBCXX_ASSERTIONS checks every index into a standard container, and the
# build keeps the project's own assertions (no NDEBUG).
SANITIZE="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS"

cmake -S . -B "$BUILD" -G Ninja \
  -DQUORVANE_GUI=OFF -DQUORVANE_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DCMAKE_CXX_FLAGS="$SANITIZE" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  ${CMAKE_FLAGS:-}
cmake --build "$BUILD" -j"$JOBS"

# halt_on_error stops at the first report; abort_on_error makes it a crash
# that ctest counts as a failure even where a test catches exit codes.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
# Fontconfig's caches, which live as long as the process, are not leaks of ours.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:abort_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
ctest --test-dir "$BUILD" --output-on-failure -j"$JOBS"
