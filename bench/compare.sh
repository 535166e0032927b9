#!/usr/bin/env bash
# Every speed and memory target of the quorvel command on big models, each row
# measured side by side with its baseline in one run. Each command runs RUNS times;
# a row shows the median of the CPU time (user + system), or of the wall time where
# the row says so, and the highest peak memory (from /usr/bin/time). Prints one table
# and exits with status 1 when a target is missed (2 when something is missing).
#   bench/compare.sh BUILD [RUNS]
# BUILD is a build folder with the quorvel command, make_big_ms3d and ms3d_info
# (a Release build, for figures that mean something). The real-window rows need the
# Qt backend and run under their own Xvfb; they time `quorvel edit` until the
# sheet's window is mapped (QUORVEL_EXIT_WHEN_SHOWN, see ui/backends/qt/shown_probe.h).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: bench/compare.sh BUILD [RUNS]}
runs=${2:-5}
quorvel=$build/bin/quorvel

for tool in "$quorvel" "$build/bin/make_big_ms3d" "$build/bin/ms3d_info"; do
  if [ ! -x "$tool" ]; then
    echo "missing $tool: cmake --build $build --target quorvel make_big_ms3d ms3d_info" >&2
    exit 2
  fi
done
for tool in /usr/bin/time assimp Xvfb python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "missing $tool (scripts/install-deps.sh installs it)" >&2
    exit 2
  fi
done

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

"$build/bin/make_big_ms3d" "$work/big.ms3d" >/dev/null
file_kb=$(( $(stat -c %s "$work/big.ms3d") / 1024 ))
for joints in 1000 4000 16000; do
  "$build/bin/make_big_ms3d" "$work/j$joints.ms3d" "$joints" >/dev/null
done
cp examples/fleet.ms3d "$work/fleet.ms3d"

# Runs a command $runs times; prints "CPU_SECONDS WALL_SECONDS PEAK_KB", the medians
# of the times and the highest peak. Output goes to /dev/null.
measure() {
  local i
  : >"$work/samples"
  for i in $(seq "$runs"); do
    /usr/bin/time -f "%U %S %e %M" -o "$work/time" "$@" >/dev/null 2>"$work/stderr" || {
      echo "failed: $*" >&2
      cat "$work/stderr" >&2
      exit 2
    }
    cat "$work/time" >>"$work/samples"
  done
  python3 - "$work/samples" <<'PY'
import statistics, sys
rows = [list(map(float, line.split())) for line in open(sys.argv[1]) if line.strip()]
cpu = statistics.median(r[0] + r[1] for r in rows)
wall = statistics.median(r[2] for r in rows)
print(f"{cpu:.3f} {wall:.3f} {int(max(r[3] for r in rows))}")
PY
}

failed=0
table=$work/table
printf '%-44s %9s %9s %9s  %-36s %s\n' "row" "CPU s" "wall s" "peak MB" "target" "result" >"$table"
# row NAME CPU WALL KB TARGET_TEXT PASSED
row() {
  local mb
  mb=$(awk "BEGIN{printf \"%.1f\", $4/1024}")
  printf '%-44s %9s %9s %9s  %-36s %s\n' "$1" "$2" "$3" "$mb" "$5" "$([ "$6" = 1 ] && echo met || echo MISSED)" >>"$table"
  if [ "$6" != 1 ]; then failed=1; fi
}
check() { python3 -c "import sys; sys.exit(0 if ($1) else 1)" && echo 1 || echo 0; }

# The real editor: time until the sheet is on screen, at four sizes.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
display=:$(cat "$work/display")
declare -A shown
for model in j1000 j4000 j16000 big; do
  read -r cpu wall kb < <(DISPLAY=$display QUORVEL_EXIT_WHEN_SHOWN=1 QT_QPA_PLATFORM=xcb \
    measure "$quorvel" edit "$work/$model.ms3d")
  shown[$model]=$wall
  case $model in
    big) row "edit, windows, 65535 joints: sheet shown" "$cpu" "$wall" "$kb" "wall < 1 s" \
           "$(check "$wall < 1")" ;;
    *) row "edit, windows, ${model#j} joints: sheet shown" "$cpu" "$wall" "$kb" "" 1 ;;
  esac
done
ratio=$(awk "BEGIN{printf \"%.2f\", ${shown[big]}/${shown[j16000]}}")
row "  65535 / 16000 joints (linear: 4.1)" "" "$ratio" 0 "wall ratio < 6" \
  "$(check "$ratio < 6")"

# Headless: the whole sheet built, then Cancel.
printf 'window sheet\nclick 2\n' >"$work/cancel.ui"
read -r cpu wall kb < <(measure "$quorvel" edit "$work/big.ms3d" --script "$work/cancel.ui")
row "edit --script, 65535 joints, Cancel" "$cpu" "$wall" "$kb" "CPU < 0.3 s, peak < 1.5 x file" \
  "$(check "$cpu < 0.3 and $kb < 1.5 * $file_kb")"

# show and show --json against dump.
read -r d_cpu d_wall d_kb < <(measure "$quorvel" dump "$work/big.ms3d")
read -r cpu wall kb < <(measure "$quorvel" show --json "$work/big.ms3d")
row "show --json" "$cpu" "$wall" "$kb" "CPU < 1.5 x dump, peak < 1.3 x file" \
  "$(check "$cpu < 1.5 * $d_cpu and $kb < 1.3 * $file_kb")"
read -r cpu wall kb < <(measure "$quorvel" show "$work/big.ms3d")
row "show" "$cpu" "$wall" "$kb" "CPU < 1.5 x dump, peak < 1.3 x file" \
  "$(check "$cpu < 1.5 * $d_cpu and $kb < 1.3 * $file_kb")"

# dump against assimp info.
read -r a_cpu a_wall a_kb < <(measure assimp info "$work/big.ms3d")
row "assimp info (baseline)" "$a_cpu" "$a_wall" "$a_kb" "" 1
row "dump" "$d_cpu" "$d_wall" "$d_kb" "CPU < 0.5 x assimp, peak < 1.2 x file" \
  "$(check "$d_cpu < 0.5 * $a_cpu and $d_kb < 1.2 * $file_kb")"

# The reader alone against cat.
read -r c_cpu c_wall c_kb < <(measure cat "$work/big.ms3d")
row "cat (baseline)" "$c_cpu" "$c_wall" "$c_kb" "" 1
read -r cpu wall kb < <(measure "$build/bin/ms3d_info" "$work/big.ms3d")
row "reader alone (ms3d_info)" "$cpu" "$wall" "$kb" "CPU < 1.5 x cat" \
  "$(check "$cpu < 1.5 * max($c_cpu, 0.01)")"

# 10,000 Adds through the Event Editor in one script, frames and types drawn so that
# many events share a frame and a length.
python3 - "$work/adds.ui" <<'PY'
import random, sys
random.seed(14)
lines = ["window sheet", "click 11014"]
for _ in range(10000):
    lines += ["window 11005", "click 11007", "window 11006",
              f"set 11009 {random.randrange(40)}", f"pick 11010 {random.choice([1, 2, 3])}",
              "click 1"]
lines += ["window 11005", "click 1", "window sheet", "click 2"]
open(sys.argv[1], "w").write("\n".join(lines) + "\n")
PY
read -r cpu wall kb < <(measure "$quorvel" edit "$work/fleet.ms3d" --script "$work/adds.ui")
row "Event Editor: 10,000 Adds (headless)" "$cpu" "$wall" "$kb" "CPU < 5 s" "$(check "$cpu < 5")"

echo "model: $work/big.ms3d, $(( file_kb / 1024 )) MB; medians of $runs runs"
cat "$table"
exit "$failed"
