#!/usr/bin/env bash
# Another program writes the big model while `quorvel edit` saves it, in the last
# moment before the new file is put in place: does the save ever overwrite that
# change? Two kinds of outside write: a new version put in place by rename, and a
# byte rewritten in place with the modification time put back. Each is made at a
# random moment of the edit (natural timing), and then again with the edit stopped
# for one second as it puts the new file in place (strace delays its rename), the
# outside write made while it waits. Prints one line per kind and timing: runs,
# saves that said "saved", saves refused (edits kept beside), and outside changes
# overwritten, which must be 0.
#   bash bench/save_window.sh [BUILD [RUNS [DELAYED_RUNS]]]
# BUILD needs the targets quorvel, quorvel_plugin and make_big_ms3d; the delayed
# runs need strace (they are skipped without it). Defaults: 300 and 40 runs.
set -uo pipefail
build=${1:-build}
runs=${2:-300}
delayed_runs=${3:-40}
q="$build/bin/quorvel"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

"$build/bin/make_big_ms3d" "$dir/big.base" >/dev/null
# Their version differs from the model in byte 20 (the first vertex), as the
# in-place write makes it.
cp "$dir/big.base" "$dir/big.theirs"
printf 'Z' | dd of="$dir/big.theirs" bs=1 seek=20 conv=notrunc status=none
# A refused save is declined at the question that follows (status 2); after a save
# that worked, that step is left over (status 4, "the model was saved to").
printf 'window sheet\nset 11000 25\nclick 1\nwindow message\nanswer yes\n%b' \
  'window message\nanswer no\n' >"$dir/rate.ui"
model="$dir/big.ms3d"

cp "$dir/big.base" "$model"
start=$(date +%s%N)
"$q" edit "$model" --mark Joint1 --script "$dir/rate.ui" >/dev/null 2>&1
edit_ms=$((($(date +%s%N) - start) / 1000000))
echo "big model: $(stat -c %s "$model") bytes, one edit with its save takes ${edit_ms} ms"
printf '%-12s %-8s %5s %6s %8s %12s\n' write timing runs saved refused overwritten

# The outside write of kind $1.
outside_write() {
  if [[ $1 == rename ]]; then
    mv "$dir/next.theirs" "$model"
  else
    local stamp
    stamp=$(stat -c %y "$model")
    printf 'Z' | dd of="$model" bs=1 seek=20 conv=notrunc status=none
    touch -d "$stamp" "$model"
  fi
}

# Whether the model still holds the outside change (whenever it was made, the file
# must hold it at the end: read and kept by the edit, refused, or written after).
holds_theirs() { [[ $(dd if="$model" bs=1 skip=20 count=1 status=none | tr -d '\0') == Z ]]; }

# Sleeps for a random part of one edit's time.
pause() { sleep "$(awk -v r=$RANDOM -v m="$edit_ms" 'BEGIN { printf "%.3f", (r % m) / 1000 }')"; }

# Waits until process $1 is stopped on entering a rename (renameat2 316 or rename 82
# on x86-64, as /proc shows the call it is in); false when it ended first.
wait_for_rename() {
  local pid=$1 call
  while kill -0 "$pid" 2>/dev/null; do
    call=$(cut -d' ' -f1 "/proc/$pid/syscall" 2>/dev/null)
    [[ $call == 316 || $call == 82 ]] && return 0
    sleep 0.005
  done
  return 1
}

measure() {  # KIND TIMING RUNS
  local kind=$1 timing=$2 count=$3 saved=0 refused=0 other=0 overwritten=0 missed=0
  for ((i = 0; i < count; i++)); do
    cp "$dir/big.base" "$model"
    rm -f "$dir"/big.unsaved*
    [[ $kind == rename ]] && cp "$dir/big.theirs" "$dir/next.theirs"
    if [[ $timing == natural ]]; then
      "$q" edit "$model" --mark Joint1 --script "$dir/rate.ui" >/dev/null 2>"$dir/err" &
      local edit=$!
      pause
      outside_write "$kind"
    else
      rm -f "$dir/pid"
      strace -f -qq -o /dev/null -e trace=rename,renameat2 \
        -e inject=rename,renameat2:delay_enter=1000000 \
        sh -c 'echo $$ >"$0"; exec "$@"' "$dir/pid" \
        "$q" edit "$model" --mark Joint1 --script "$dir/rate.ui" >/dev/null 2>"$dir/err" &
      local edit=$!
      while [[ ! -s $dir/pid ]]; do sleep 0.005; done
      if wait_for_rename "$(cat "$dir/pid")"; then
        outside_write "$kind"
      else
        missed=$((missed + 1))
        wait "$edit"
        continue
      fi
    fi
    wait "$edit"
    local status=$?
    if [[ $status -eq 0 ]] || { [[ $status -eq 4 ]] && grep -q 'the model was saved to' "$dir/err"; }; then
      saved=$((saved + 1))
    elif [[ $status -eq 2 ]]; then
      refused=$((refused + 1))
    else
      other=$((other + 1))
    fi
    holds_theirs || overwritten=$((overwritten + 1))
    rm -f "$dir/next.theirs"
  done
  printf '%-12s %-8s %5d %6d %8d %12d\n' "$kind" "$timing" "$count" "$saved" "$refused" \
    "$overwritten"
  ((other > 0)) && echo "  ($other runs ended otherwise, the last saying: $(tail -1 "$dir/err"))"
  ((missed > 0)) && echo "  ($missed runs ended before their rename was seen; no outside write)"
}

for kind in rename in-place; do
  measure "$kind" natural "$runs"
  if command -v strace >/dev/null; then
    measure "$kind" delayed "$delayed_runs"
  else
    echo "  (strace is not installed: the delayed runs are skipped)"
  fi
done
