#!/usr/bin/env bash
# Installs what is missing, builds Quorvel and runs every test: in a plain build, under
# AddressSanitizer and UndefinedBehaviorSanitizer, in the 32-bit Windows build under
# Wine, and the fuzz targets for a short while. Every stage runs even when an earlier
# one fails; each says whether it passed, failed or was skipped and why, the tests
# that were skipped are listed with their reasons, and one summary line ends the run.
# The exit status is 0 only when no stage failed.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

results=()
failed=0

# stage NAME COMMAND...: runs one stage and notes how it ended.
stage() {
  local name=$1
  shift
  echo "== $name"
  local start=$SECONDS
  # In the background, so that -e holds inside it (an `if` would switch it off).
  "$@" &
  if wait $!; then
    results+=("passed   $name ($((SECONDS - start)) s)")
  else
    results+=("FAILED   $name ($((SECONDS - start)) s)")
    failed=$((failed + 1))
  fi
}

# skip NAME REASON: a stage this machine cannot run.
skip() {
  echo "== $1: skipped, $2"
  results+=("skipped  $1: $2")
}

# The build folders are made private (mode 0700), as a clone in a home folder is:
# a test that runs the program as another user must run a copy that user can reach,
# and this keeps it so.
private_build() {
  mkdir -p "$1"
  chmod 700 "$1"
}

plain() {
  private_build build
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=ON >/dev/null
  cmake --build build -j "$jobs"
  local status=0
  ctest --test-dir build -j "$jobs" --timeout 300 || status=$?
  bash scripts/skipped-tests.sh build
  return $status
}

sanitized() {
  private_build build-asan
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON \
    -DQUORVEL_WERROR=ON -DQUORVEL_BENCH=OFF >/dev/null
  cmake --build build-asan -j "$jobs"
  local status=0
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
  LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan -j "$jobs" --timeout 600 || status=$?
  bash scripts/skipped-tests.sh build-asan
  return $status
}

windows() {
  local status=0
  bash scripts/build-windows-tests.sh "$jobs" || status=$?
  bash scripts/skipped-tests.sh build-windows
  return $status
}

fuzzing() {
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DQUORVEL_FUZZ=ON \
    -DQUORVEL_WITH_QT=OFF -DQUORVEL_BENCH=OFF >/dev/null
  cmake --build build-fuzz -j "$jobs" --target fuzzers
  # Every parser's target briefly; fuzz/run.sh runs one for longer.
  bash fuzz/run-all.sh build-fuzz 20
}

stage "plain build and tests" plain
stage "sanitizer build and tests (AddressSanitizer, UndefinedBehaviorSanitizer)" sanitized
if ! command -v wine >/dev/null || ! command -v Xvfb >/dev/null; then
  skip "Windows build (MinGW, 32-bit), tests under Wine" "Wine or Xvfb is missing"
else
  stage "Windows build (MinGW, 32-bit), tests under Wine" windows
fi
if [ -f fuzz/CMakeLists.txt ]; then
  stage "fuzzing" fuzzing
else
  skip "fuzzing" "this tree has no fuzz targets"
fi

echo "== stages"
printf '  %s\n' "${results[@]}"
if [ "$failed" -eq 0 ]; then
  echo "test.sh: every stage passed (${#results[@]} stages, $SECONDS s)"
else
  echo "test.sh: $failed of ${#results[@]} stages FAILED ($SECONDS s)"
  exit 1
fi
