#!/usr/bin/env bash
# Puts the save of `quorvel edit` under the faults it meets outside a test: kills
# and terminating signals at random moments of the save of a large model, two
# edits of one model started together, and another program writing the model
# while it is saved. Prints one line per fault: runs, files left in a mixed state,
# changes lost by a run that said "saved", temporary files left, runs that hung
# or ended by a signal they should have handled.
#   bash bench/save_faults.sh [BUILD [RUNS]]
# BUILD needs the targets quorvel, quorvel_plugin and make_big_ms3d.
set -uo pipefail
# Job control, so that background edits do not start with SIGINT ignored.
set -m
build=${1:-build}
runs=${2:-30}
q="$build/bin/quorvel"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
here=$(cd "$(dirname "$0")/.." && pwd)

cp "$here/examples/fleet.ms3d" "$dir/small.base"
"$build/bin/make_big_ms3d" "$dir/big.base" >/dev/null
rate='window sheet\nset 11000 25\nclick 1\nwindow message\nanswer yes\n'
name='window sheet\ntab 1\nset 11001 Beta\nclick 1\nwindow message\nanswer yes\n'
printf "$rate" >"$dir/rate.ui"
printf "$name" >"$dir/name.ui"
: >"$dir/err"

edit() {  # MODEL SCRIPT JOINT [OPTIONS...]
  local model=$1 script=$2 joint=$3
  shift 3
  timeout 120 "$q" edit "$model" --mark "$joint" --script "$dir/$script.ui" "$@" \
    >/dev/null 2>>"$dir/err"
}
# The same, replacing the shell that runs it, so that $! is quorvel's own id.
edit_here() {
  local model=$1 script=$2 joint=$3
  shift 3
  exec "$q" edit "$model" --mark "$joint" --script "$dir/$script.ui" "$@" >/dev/null 2>>"$dir/err"
}
# Sleeps for a random part of one edit's time.
pause() { sleep "$(awk -v r=$RANDOM -v m="$save_ms" 'BEGIN { printf "%.3f", (r % m) / 1000 }')"; }
hash() { sha256sum "$1" | cut -c1-64; }
temporaries() { find "$dir" -maxdepth 1 -name '.*.quorvel-save-*' | wc -l; }

# The big model as it is before and after a save of the rate change.
cp "$dir/big.base" "$dir/big.ms3d"
start=$(date +%s%N)
edit "$dir/big.ms3d" rate Joint1
save_ms=$((($(date +%s%N) - start) / 1000000))
big_old=$(hash "$dir/big.base")
big_new=$(hash "$dir/big.ms3d")
echo "big model: $(stat -c %s "$dir/big.base") bytes, one edit with its save takes ${save_ms} ms"
printf '%-34s %5s %6s %5s %6s %5s\n' fault runs mixed lost tmp-left hung/sig

interrupt() {  # SIGNAL
  local signal=$1 mixed=0 left=0 bad=0 noticed=0
  for ((i = 0; i < runs; i++)); do
    cp "$dir/big.base" "$dir/big.ms3d"
    edit_here "$dir/big.ms3d" rate Joint1 &
    local pid=$!
    pause
    kill -"$signal" "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    local status=$?
    # Ended by the signal sent (128 + its number), or finished before it came.
    [[ $status -ne 0 && $status -ne $((128 + $(kill -l "$signal"))) ]] && bad=$((bad + 1))
    local now
    now=$(hash "$dir/big.ms3d")
    [[ $now != "$big_old" && $now != "$big_new" ]] && mixed=$((mixed + 1))
    local count
    count=$(temporaries)
    left=$((left + count))
    if ((count > 0)); then
      # The next edit must name the left-over file and not use it.
      "$q" edit "$dir/big.ms3d" --mark Joint1 --script "$dir/name.ui" --remove-left-overs \
        >/dev/null 2>"$dir/next" && grep -q 'left by a save that never finished' "$dir/next" &&
        noticed=$((noticed + count))
    fi
  done
  printf '%-34s %5d %6d %5s %6d %5d\n' "SIG$signal during the save (big)" "$runs" "$mixed" - \
    "$left" "$bad"
  [[ $signal == KILL ]] && echo "  (SIGKILL cannot be caught: of $left left, $noticed were named by the next edit)"
}
for signal in KILL TERM INT HUP; do interrupt "$signal"; done

# Two edits started together: a run that exits 0 must have its change in the file.
writers() {  # OPTIONS
  local options=$1 lost=0 turned=0 bad=0 unnamed
  unnamed=$(grep -c 'another process' "$dir/err")
  for ((i = 0; i < runs; i++)); do
    cp "$dir/small.base" "$dir/small.ms3d"
    edit "$dir/small.ms3d" rate Fighter1 $options &
    local a=$!
    edit "$dir/small.ms3d" name Fighter1 $options &
    local b=$!
    wait "$a"; local ra=$?
    wait "$b"; local rb=$?
    for r in $ra $rb; do
      [[ $r -eq 2 ]] && turned=$((turned + 1))
      [[ $r -ne 0 && $r -ne 2 ]] && bad=$((bad + 1))
    done
    local shown
    shown=$("$q" show "$dir/small.ms3d")
    [[ $ra -eq 0 ]] && ! grep -q 'OPT_FPS: 25' <<<"$shown" && lost=$((lost + 1))
    [[ $rb -eq 0 ]] && ! grep -q 'Sob Name: Beta' <<<"$shown" && lost=$((lost + 1))
  done
  printf '%-34s %5d %6s %5d %6d %5d\n' "two writers together ${options:-(stop)}" "$runs" - \
    "$lost" "$(temporaries)" "$bad"
  unnamed=$(($(grep -c 'another process' "$dir/err") - unnamed))
  echo "  ($turned runs turned away by the lock; $unnamed messages did not name the holder)"
}
writers ""
writers --wait-lock

# Another program changes one byte of the model in place during the save and puts
# its modification time back; the save must not report success over it.
outside() {
  local lost=0 refused=0 bad=0
  for ((i = 0; i < runs; i++)); do
    cp "$dir/big.base" "$dir/big.ms3d"
    rm -f "$dir"/big.unsaved*
    edit "$dir/big.ms3d" rate Joint1 &
    local pid=$!
    pause
    local stamp
    stamp=$(stat -c %y "$dir/big.ms3d")
    printf 'Z' | dd of="$dir/big.ms3d" bs=1 seek=20 conv=notrunc status=none
    touch -d "$stamp" "$dir/big.ms3d"
    wait "$pid"
    local status=$?
    [[ $status -eq 2 ]] && refused=$((refused + 1))
    [[ $status -ne 0 && $status -ne 2 ]] && bad=$((bad + 1))
    # The outside byte must still be there, unless the write came after the save.
    if [[ $status -eq 0 && $(dd if="$dir/big.ms3d" bs=1 skip=20 count=1 status=none) != Z ]]; then
      lost=$((lost + 1))
    fi
  done
  printf '%-34s %5d %6s %5d %6d %5d\n' "outside write during the save" "$runs" - "$lost" \
    "$(temporaries)" "$bad"
  echo "  ($refused saves refused with the edits kept beside)"
}
outside
