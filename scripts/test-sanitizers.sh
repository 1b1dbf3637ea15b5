#!/usr/bin/env bash
# Builds the core library with its tests, and the program, with
# AddressSanitizer and UndefinedBehaviorSanitizer into build-san/, then runs
# the core tests and a start-and-close of the real program there; then the
# core tests once more with ThreadSanitizer, built into build-tsan/. Any
# report of a sanitizer fails the run. Expects scripts/setup-deps.sh to have
# run.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S "$here" -B "$here/build-san" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$here/build-san" --parallel "$(nproc)" --target core_tests lanzhou gui_program_smoke_test
# Leaks are not checked: the toolkit keeps caches until the process ends.
export ASAN_OPTIONS="detect_leaks=0:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
cd "$here/build-san"
ctest --output-on-failure --parallel "$(nproc)" -E '^gui_' "$@"
ctest --output-on-failure -R '^gui_program_smoke_test$' "$@"
# Data races: the core tests (workers, the profile cache, the HTTP helper)
# under ThreadSanitizer, in one process: starting one per test costs more
# than the tests. The two scans over every character code run on one thread
# and would take minutes here; the ordinary builds run them.
cmake -S "$here" -B "$here/build-tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLANZHOU_GUI=OFF \
  -DCMAKE_C_FLAGS="-fsanitize=thread" -DCMAKE_CXX_FLAGS="-fsanitize=thread" >/dev/null
cmake --build "$here/build-tsan" --parallel "$(nproc)" --target core_tests
TSAN_OPTIONS="halt_on_error=1" "$here/build-tsan/tests/core_tests" --gtest_brief=1 \
  --gtest_filter='-*IndexAgainstScan.*:*GivesEveryHanziAPageOfItsOwn'
