#!/usr/bin/env bash
# Installs what is missing, builds Quorvel and runs every test twice: once in a plain
# build and once under AddressSanitizer and UndefinedBehaviorSanitizer. Then it runs
# the model-file reader's fuzzer for a short while.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

echo "== plain build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --timeout 300

echo "== sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON \
  -DQUORVEL_WERROR=ON -DQUORVEL_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan -j "$jobs" --timeout 600

echo "== Windows build (MinGW, 32-bit), tests under Wine"
bash scripts/build-windows-tests.sh "$jobs"

if [ -f fuzz/CMakeLists.txt ]; then
  echo "== fuzzing every parser briefly (fuzz/run.sh runs one for longer)"
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DQUORVEL_FUZZ=ON \
    -DQUORVEL_WITH_QT=OFF -DQUORVEL_BENCH=OFF >/dev/null
  cmake --build build-fuzz -j "$jobs" --target fuzzers
  bash fuzz/run-all.sh build-fuzz 20
fi
