#!/usr/bin/env bash
# Time and peak memory of `quorvel dump` against `assimp info` on one generated
# model at the format's limits (65535 joints with 1000-byte comments, 60000
# vertices). Each program runs RUNS times; the best time and the highest peak are
# kept. A third line shows the host library's reader alone (bench/ms3d_info.cc),
# which like `assimp info` reads the file and prints a summary, while `quorvel dump`
# also writes every comment as JSON.
#   bench/dump_vs_assimp.sh [BUILD_FOLDER [RUNS]]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-3}

for tool in "$build/bin/quorvel" "$build/bin/make_big_ms3d" "$build/bin/ms3d_info"; do
  if [ ! -x "$tool" ]; then
    echo "missing $tool: cmake --build $build --target quorvel make_big_ms3d ms3d_info" >&2
    exit 2
  fi
done
if [ ! -x /usr/bin/time ]; then
  echo "missing /usr/bin/time (Debian package time)" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
model=$work/big.ms3d
"$build/bin/make_big_ms3d" "$model"

# Prints "SECONDS KILOBYTES" for the best of $runs runs of the command.
measure() {
  local best_time="" peak=0
  for _ in $(seq "$runs"); do
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/stderr" || {
      echo "failed: $*" >&2
      cat "$work/stderr" >&2
      exit 1
    }
    read -r seconds kilobytes <"$work/time"
    if [ -z "$best_time" ] || awk "BEGIN{exit !($seconds < $best_time)}"; then
      best_time=$seconds
    fi
    if [ "$kilobytes" -gt "$peak" ]; then
      peak=$kilobytes
    fi
  done
  echo "$best_time $peak"
}

read -r q_time q_kb < <(measure "$build/bin/quorvel" dump "$model")
read -r r_time r_kb < <(measure "$build/bin/ms3d_info" "$model")
if command -v assimp >/dev/null; then
  read -r a_time a_kb < <(measure assimp info "$model")
else
  echo "assimp is missing (Debian package assimp-utils); only quorvel was measured" >&2
  a_time="" a_kb=""
fi

printf '%-22s %10s %14s\n' "command" "seconds" "peak RSS (MB)"
printf '%-22s %10s %14.1f\n' "quorvel dump" "$q_time" "$(awk "BEGIN{print $q_kb/1024}")"
printf '%-22s %10s %14.1f\n' "reader alone" "$r_time" "$(awk "BEGIN{print $r_kb/1024}")"
if [ -n "$a_time" ]; then
  printf '%-22s %10s %14.1f\n' "assimp info" "$a_time" "$(awk "BEGIN{print $a_kb/1024}")"
  awk -v qt="$q_time" -v rt="$r_time" -v at="$a_time" -v qm="$q_kb" -v rm="$r_kb" \
      -v am="$a_kb" 'function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "n/a" }
    BEGIN {
      printf "assimp info / quorvel dump: time %s, peak memory %s\n", ratio(at, qt), ratio(am, qm);
      printf "assimp info / reader alone: time %s, peak memory %s\n", ratio(at, rt), ratio(am, rm);
    }'
fi
