#!/usr/bin/env bash
# Runs one fuzz target for a while on its seed corpus.
#   fuzz/run.sh BINARY SECONDS
# The target NAME_fuzzer starts from the seeds in fuzz/corpus/NAME/. Exits non-zero
# when the fuzzer finds a crash, a leak, undefined behaviour, a timeout or an
# allocation beyond the limit; the input that caused it is kept in
# fuzz/corpus-work/NAME/ (crash-*, leak-*, timeout-*, oom-*).
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 BINARY SECONDS" >&2
  exit 2
fi
binary=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
name=$(basename "$binary")
name=${name%_fuzzer}
if [ ! -d "$here/corpus/$name" ]; then
  echo "$0: no seeds for $name in $here/corpus/$name" >&2
  exit 2
fi

# New inputs go to a work folder, so that the committed seeds stay small.
work=$here/corpus-work/$name
mkdir -p "$work/corpus"

seeds=("$here/corpus/$name")
# Model files can be large; the text targets read comments and scripts.
max_len=16384
if [ "$name" = ms3d_reader ] || [ "$name" = scene_reader ]; then
  max_len=400000
  # Real third-party models make good seeds when they are installed; seed files
  # that are not models (a .jpg, a readme) only cost a few runs.
  if [ -d /usr/share/assimp/models/MS3D ]; then
    seeds+=(/usr/share/assimp/models/MS3D)
  fi
fi

exec "$binary" "$work/corpus" "${seeds[@]}" \
  -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb=1024 -malloc_limit_mb=256 \
  -timeout=10 -artifact_prefix="$work/" -print_final_stats=1
