#!/usr/bin/env bash
# Every speed and memory target of the quorvel command on big models, each row
# measured side by side with its baseline in one run. Each command runs RUNS times;
# a row shows the medians of the CPU time (user + system) and of the wall time, and
# the highest peak memory (bench/timed_run.cc times each run to the microsecond;
# /usr/bin/time's hundredths are too coarse for rows of a few hundredths). A command
# and its baseline run in turn, and their ratio is the median of the ratios of each
# round's runs. Prints one table and exits with status 1 when a target is missed (2
# when something is missing).
#   bench/compare.sh BUILD [RUNS]
# BUILD is a build folder with the quorvel command, make_big_ms3d and ms3d_info
# (a Release build, for figures that mean something). The real-window rows need the
# Qt backend and run under their own Xvfb; they time `quorvel edit` until the
# sheet's window is mapped (QUORVEL_EXIT_WHEN_SHOWN, see tools/quorvel/exit_when_shown_qt.h).
# On a machine shared with other work wall times swell while CPU times hold, so the
# targets are checked on CPU time; the wall time is shown beside it.
#
# With QUORVEL_BENCH_SMOKE=1 every row runs once on small models and no target is
# checked: the test suite does that so that the benchmarks cannot rot.
# QUORVEL_BENCH_NO_WINDOWS=1 leaves out the real-window rows (a build without Qt);
# QUORVEL_BENCH_ONLY=check runs only the rows of `quorvel check`; =timeline only those
# of `quorvel timeline` (with dump, its baseline); =show only those of show, dump and
# the reader with their baselines; =preview only those of `quorvel preview` (with dump
# of the example beside them).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: bench/compare.sh BUILD [RUNS]}
# Fifteen runs by default: this kind of machine swings between a quick and a slow
# phase for tens of milliseconds at a time, and with fewer runs one slow phase can
# decide the median of a row and its baseline's ratio.
runs=${2:-15}
quorvel=$build/bin/quorvel

timed_run=$build/bin/timed_run
for tool in "$quorvel" "$build/bin/make_big_ms3d" "$build/bin/ms3d_info" "$timed_run"; do
  if [ ! -x "$tool" ]; then
    echo "missing $tool: cmake --build $build --target quorvel make_big_ms3d ms3d_info timed_run" >&2
    exit 2
  fi
done
for tool in assimp Xvfb; do
  if ! command -v "$tool" >/dev/null; then
    echo "missing $tool (scripts/install-deps.sh installs it)" >&2
    exit 2
  fi
done

only=${QUORVEL_BENCH_ONLY:-}
case "$only" in
  "" | check | timeline | show | preview) ;;
  *)
    echo "QUORVEL_BENCH_ONLY=$only: check, timeline, show or preview" >&2
    exit 2
    ;;
esac
# Whether the rows of $1 run.
wants() { [ -z "$only" ] || [ "$only" = "$1" ]; }
# Whether the rows of the real windows run.
windows() {
  [ -z "${QUORVEL_BENCH_NO_WINDOWS:-}" ] && { [ -z "$only" ] || [ "$only" = timeline ] || [ "$only" = preview ]; }
}

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

smoke=${QUORVEL_BENCH_SMOKE:-}
sizes=(1000 4000 16000 65535)
adds=10000
if [ -n "$smoke" ]; then
  runs=1
  sizes=(10 20 40 80)
  adds=50
fi
for joints in "${sizes[@]}"; do
  "$build/bin/make_big_ms3d" "$work/j$joints.ms3d" "$joints" >/dev/null
done
big=$work/j${sizes[3]}.ms3d
file_kb=$(( $(stat -c %s "$big") / 1024 ))
cp examples/fleet.ms3d "$work/fleet.ms3d"

# Runs one command once, timed, its output to /dev/null; appends its
# "USER SYSTEM WALL PEAK_KB" line to the file $1.
run_once() {
  local samples=$1
  shift
  "$timed_run" "$work/time" "$@" >/dev/null 2>"$work/stderr" || {
    echo "failed: $*" >&2
    cat "$work/stderr" >&2
    exit 2
  }
  cat "$work/time" >>"$samples"
}

# Prints "CPU_SECONDS WALL_SECONDS PEAK_KB" of the samples in file $1: the medians of
# CPU (user + system) and wall time, and the highest peak.
summarize() {
  local n
  n=$(wc -l <"$1")
  awk '{ print $1 + $2 }' "$1" | sort -g >"$work/cpu"
  awk '{ print $3 }' "$1" | sort -g >"$work/wall"
  printf '%.3f %.3f %d\n' "$(sed -n "$(( (n + 1) / 2 ))p" "$work/cpu")" \
    "$(sed -n "$(( (n + 1) / 2 ))p" "$work/wall")" "$(awk 'max < $4 { max = $4 } END { print max }' "$1")"
}

# Runs a command $runs times and summarizes it.
measure() {
  local i
  : >"$work/samples"
  for i in $(seq "$runs"); do
    run_once "$work/samples" "$@"
  done
  summarize "$work/samples"
}

# Runs the commands named by $1, $2... (arrays of the command and its arguments) in
# turn, $runs rounds, so that a change in the machine's speed during the run falls
# on each alike; writes each one's summary to $work/summary.NAME.
measure_together() {
  local name round
  for name in "$@"; do : >"$work/samples.$name"; done
  for round in $(seq "$runs"); do
    for name in "$@"; do
      local -n command=$name
      run_once "$work/samples.$name" "${command[@]}"
    done
  done
  for name in "$@"; do summarize "$work/samples.$name" >"$work/summary.$name"; done
}

# The median of the numbers on standard input, one a line.
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The median, over the rounds of measure_together, of the CPU time of command $1's
# run over that of $2's in the same round. This kind of machine changes speed in
# phases of a second or more, and one round's runs mostly fall in one phase: the
# rounds' ratios hold where a ratio of two medians, each of which may come from
# another phase, swings.
paired_ratio() {
  paste -d ' ' "$work/samples.$1" "$work/samples.$2" |
    awk '{ b = $5 + $6; printf "%.4f\n", ($1 + $2) / (b > 0.0005 ? b : 0.0005) }' | median
}

failed=0
table=$work/table
printf '%-44s %9s %9s %9s  %-36s %s\n' "row" "CPU s" "wall s" "peak MB" "target" "result" >"$table"
# row NAME CPU WALL KB TARGET_TEXT PASSED (a ratio row: the ratio as CPU, no WALL or KB)
row() {
  local mb
  if [ -n "$smoke" ]; then set -- "$1" "$2" "$3" "$4" "$5" 1; fi
  mb=""
  if [ -n "$4" ]; then mb=$(awk "BEGIN{printf \"%.1f\", $4/1024}"); fi
  printf '%-44s %9s %9s %9s  %-36s %s\n' "$1" "$2" "$3" "$mb" "$5" "$([ "$6" = 1 ] && echo met || echo MISSED)" >>"$table"
  if [ "$6" != 1 ]; then failed=1; fi
}
# Prints 1 when the awk condition holds, else 0.
check() { awk "BEGIN { print (($1) ? 1 : 0) }"; }

# --- quorvel check -------------------------------------------------------------
# On the big model with every attribute valid, beside dump of the same file; on the
# big model as made (its events unknown: some 3 million problems), every problem
# listed (as lines, and as JSON), and --max-problems, beside dump; and on models whose
# records name joints that do not exist (cameras looking at one, ships attacking one),
# at four sizes, which must grow in proportion to the joints. QUORVEL_BENCH_ONLY=check runs these
# rows alone.
if wants check; then
check_sizes=(8192 16384 32768 65535)
if [ -n "$smoke" ]; then check_sizes=(16 32 64 128); fi
"$build/bin/make_big_ms3d" --known-events "$work/valid.ms3d" "${sizes[3]}" >/dev/null
valid_kb=$(( $(stat -c %s "$work/valid.ms3d") / 1024 ))
check_valid_cmd=("$quorvel" check "$work/valid.ms3d")
dump_valid_cmd=("$quorvel" dump "$work/valid.ms3d")
dump_big_cmd=("$quorvel" dump "$big")
# check exits with 6 when it finds an error: the listing runs through a shell that
# takes that as success.
check_all_cmd=(sh -c '"$0" check "$1"; [ $? = 6 ]' "$quorvel" "$big")
check_ten_cmd=(sh -c '"$0" check --max-problems 10 "$1"; [ $? = 6 ]' "$quorvel" "$big")
measure_together dump_valid_cmd check_valid_cmd dump_big_cmd check_all_cmd check_ten_cmd
read -r cpu wall kb <"$work/summary.dump_valid_cmd"
row "dump, all valid (baseline)" "$cpu" "$wall" "$kb" "" 1
read -r cpu wall kb <"$work/summary.check_valid_cmd"
row "check, all valid" "$cpu" "$wall" "$kb" "peak < 1.3 x file" "$(check "$kb < 1.3 * $valid_kb")"
ratio=$(paired_ratio check_valid_cmd dump_valid_cmd)
row "  check / dump, CPU" "$(printf '%.2f' "$ratio")" "" "" "ratio < 3" "$(check "$ratio < 3")"
read -r cpu wall kb <"$work/summary.dump_big_cmd"
row "dump, events unknown (baseline)" "$cpu" "$wall" "$kb" "" 1
read -r cpu wall kb <"$work/summary.check_all_cmd"
row "check, events unknown, all listed" "$cpu" "$wall" "$kb" "" 1
ratio=$(paired_ratio check_all_cmd dump_big_cmd)
row "  check all listed / dump, CPU" "$(printf '%.2f' "$ratio")" "" "" "ratio < 10" "$(check "$ratio < 10")"
read -r cpu wall kb <"$work/summary.check_ten_cmd"
row "check --max-problems 10, events unknown" "$cpu" "$wall" "$kb" "" 1
ratio=$(paired_ratio check_ten_cmd dump_big_cmd)
row "  check --max-problems 10 / dump, CPU" "$(printf '%.2f' "$ratio")" "" "" "ratio < 3" "$(check "$ratio < 3")"
# The same listed as JSON: the report is written at the end, from the problems kept
# compact (no target: shown for its peak memory).
read -r cpu wall kb < <(measure sh -c '"$0" check --json "$1" >/dev/null; [ $? = 6 ]' "$quorvel" "$big")
row "check --json, events unknown" "$cpu" "$wall" "$kb" "" 1
for variant in unknown-centres unknown-targets; do
  declare -A unknown_cpu=()
  for joints in "${check_sizes[@]}"; do
    "$build/bin/make_big_ms3d" "--$variant" "$work/$variant.ms3d" "$joints" >/dev/null
    read -r cpu wall kb < <(measure sh -c '"$0" check "$1" >/dev/null; [ $? = 6 ]' "$quorvel" \
      "$work/$variant.ms3d")
    unknown_cpu[$joints]=$cpu
    row "check, $joints joints, $variant" "$cpu" "$wall" "$kb" "" 1
  done
  ratio=$(awk "BEGIN{printf \"%.2f\", ${unknown_cpu[${check_sizes[3]}]}/(${unknown_cpu[${check_sizes[0]}]} + 0.001)}")
  linear=$(awk "BEGIN{printf \"%.1f\", ${check_sizes[3]}/${check_sizes[0]}}")
  row "  ${check_sizes[3]} / ${check_sizes[0]} joints (linear: $linear)" "$ratio" "" "" \
    "CPU ratio < 1.5 x linear" "$(check "$ratio < $linear * 1.5")"
done
fi
# --- end of quorvel check ------------------------------------------------------

# The real editor: time until the sheet is on screen, at four sizes; then, on the
# largest, a tab switch and the Event Editor opened and closed.
if windows; then
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  display=:$(cat "$work/display")
fi
if windows && wants edit; then
  declare -A shown
  for joints in "${sizes[@]}"; do
    read -r cpu wall kb < <(DISPLAY=$display QUORVEL_EXIT_WHEN_SHOWN=1 QT_QPA_PLATFORM=xcb \
      measure "$quorvel" edit "$work/j$joints.ms3d")
    shown[$joints]=$cpu
    if [ "$joints" = "${sizes[3]}" ]; then
      row "edit, windows, $joints joints: sheet shown" "$cpu" "$wall" "$kb" "CPU < 1 s" \
        "$(check "$cpu < 1")"
    else
      row "edit, windows, $joints joints: sheet shown" "$cpu" "$wall" "$kb" "" 1
    fi
  done
  ratio=$(awk "BEGIN{printf \"%.2f\", ${shown[${sizes[3]}]}/(${shown[${sizes[2]}]} + 0.001)}")
  row "  ${sizes[3]} / ${sizes[2]} joints (linear: $(( sizes[3] / sizes[2] )))" "$ratio" "" "" "CPU ratio < 6" \
    "$(check "$ratio < 6")"

  # Once the sheet is on screen: the Event Editor opened and closed on the first
  # page, the last tab clicked, and the Event Editor on that page. The probe times
  # each action itself (CPU and wall, in milliseconds) and ends the process.
  actions=open-close:11014,last-tab,open-close:11014
  names=("Event Editor open+close, first page" "last tab clicked" \
    "Event Editor open+close, last page")
  : >"$work/actions"
  for _ in $(seq "$runs"); do
    DISPLAY=$display QUORVEL_EXIT_WHEN_SHOWN=$actions QT_QPA_PLATFORM=xcb \
      "$timed_run" "$work/time" "$quorvel" edit "$big" >/dev/null 2>"$work/stderr" || {
      echo "failed: quorvel edit $big with QUORVEL_EXIT_WHEN_SHOWN=$actions" >&2
      cat "$work/stderr" >&2
      exit 2
    }
    if [ "$(grep -c ': [0-9.]* [0-9.]*$' "$work/stderr")" != 3 ]; then
      echo "the probe did not time every action:" >&2
      cat "$work/stderr" >&2
      exit 2
    fi
    grep ': [0-9.]* [0-9.]*$' "$work/stderr" | awk -v kb="$(cut -d' ' -f4 "$work/time")" \
      '{ print NR, $(NF - 1) / 1000, $NF / 1000, kb }' >>"$work/actions"
  done
  for step in 1 2 3; do
    cpu=$(printf '%.3f' "$(awk -v step="$step" '$1 == step { print $2 }' "$work/actions" | median)")
    wall=$(printf '%.3f' "$(awk -v step="$step" '$1 == step { print $3 }' "$work/actions" | median)")
    kb=$(awk 'max < $4 { max = $4 } END { print max }' "$work/actions")
    row "  ${names[step - 1]}" "$cpu" "$wall" "$kb" "CPU < 0.1 s" "$(check "$cpu < 0.1")"
  done
fi

if wants edit; then
# Headless: the whole sheet built, then Cancel.
printf 'window sheet\nclick 2\n' >"$work/cancel.ui"
read -r cpu wall kb < <(measure "$quorvel" edit "$big" --script "$work/cancel.ui")
row "edit --script, ${sizes[3]} joints, Cancel" "$cpu" "$wall" "$kb" "CPU < 0.3 s, peak < 1.5 x file" \
  "$(check "$cpu < 0.3 && $kb < 1.5 * $file_kb")"
# The same, confirmed and every comment written and saved (no target), on a fresh
# copy each run: the row includes that copy.
printf 'window sheet\nclick 1\nwindow message\nanswer yes\n' >"$work/save.ui"
read -r cpu wall kb < <(measure bash -c 'cp "$0" "$1" && "$2" edit "$1" --script "$3"' \
  "$big" "$work/saved.ms3d" "$quorvel" "$work/save.ui")
row "  the same, OK and Yes: all written, saved" "$cpu" "$wall" "$kb" "" 1
fi

# show and show --json against dump, and dump against assimp info, run in turn;
# the reader alone against cat, the same. Each ratio is that of paired_ratio.
dump_cmd=("$quorvel" dump "$big")
if wants show; then
show_json_cmd=("$quorvel" show --json "$big")
show_cmd=("$quorvel" show "$big")
assimp_cmd=(assimp info "$big")
measure_together dump_cmd show_json_cmd show_cmd assimp_cmd
read -r d_cpu d_wall d_kb <"$work/summary.dump_cmd"
for shown in show_json_cmd show_cmd; do
  label=show
  if [ "$shown" = show_json_cmd ]; then label="show --json"; fi
  read -r cpu wall kb <"$work/summary.$shown"
  row "$label" "$cpu" "$wall" "$kb" "peak < 1.3 x file" "$(check "$kb < 1.3 * $file_kb")"
  ratio=$(paired_ratio "$shown" dump_cmd)
  row "  $label / dump, CPU" "$(printf '%.2f' "$ratio")" "" "" "ratio < 1.5" \
    "$(check "$ratio < 1.5")"
done
read -r a_cpu a_wall a_kb <"$work/summary.assimp_cmd"
row "assimp info (baseline)" "$a_cpu" "$a_wall" "$a_kb" "" 1
row "dump" "$d_cpu" "$d_wall" "$d_kb" "peak < 1.2 x file" "$(check "$d_kb < 1.2 * $file_kb")"
ratio=$(paired_ratio dump_cmd assimp_cmd)
row "  dump / assimp info, CPU" "$(printf '%.2f' "$ratio")" "" "" "ratio < 0.5" "$(check "$ratio < 0.5")"

cat_cmd=(cat "$big")
reader_cmd=("$build/bin/ms3d_info" "$big")
measure_together cat_cmd reader_cmd
read -r c_cpu c_wall c_kb <"$work/summary.cat_cmd"
row "cat (baseline)" "$c_cpu" "$c_wall" "$c_kb" "" 1
read -r cpu wall kb <"$work/summary.reader_cmd"
row "reader alone (ms3d_info)" "$cpu" "$wall" "$kb" "" 1
ratio=$(paired_ratio reader_cmd cat_cmd)
row "  reader / cat, CPU" "$(printf '%.2f' "$ratio")" "" "" "ratio < 1.5" "$(check "$ratio < 1.5")"
fi

# --- quorvel timeline -------------------------------------------------------------
# The picture of the largest model as SVG beside dump, run in turn (every joint has
# events, so the row limit draws the first 2,000 rows); the same with --joints, which
# picks about a tenth of the joints' rows (and stays under the limit); and the
# window under Xvfb: the time until it is first painted, and the slowest step of
# scrolling it page by page to the bottom and, zoomed in, along the time axis.
if wants timeline; then
timeline_cmd=("$quorvel" timeline "$big" -o "$work/big.svg")
picked_cmd=("$quorvel" timeline "$big" --joints 'Joint1*' -o "$work/picked.svg")
measure_together dump_cmd timeline_cmd picked_cmd
read -r cpu wall kb <"$work/summary.timeline_cmd"
row "timeline -o FILE.svg, ${sizes[3]} joints" "$cpu" "$wall" "$kb" "peak < 1.5 x file" \
  "$(check "$kb < 1.5 * $file_kb")"
ratio=$(paired_ratio timeline_cmd dump_cmd)
row "  timeline -o FILE.svg / dump, CPU" "$(printf '%.2f' "$ratio")" "" "" "ratio < 10" \
  "$(check "$ratio < 10")"
read -r cpu wall kb <"$work/summary.picked_cmd"
row "  the same, --joints 'Joint1*'" "$cpu" "$wall" "$kb" "peak < 1.5 x file" \
  "$(check "$kb < 1.5 * $file_kb")"
if windows; then
  read -r cpu wall kb < <(DISPLAY=$display QUORVEL_EXIT_WHEN_SHOWN=1 QT_QPA_PLATFORM=xcb \
    measure "$quorvel" timeline "$big")
  row "timeline window, ${sizes[3]} joints: shown" "$cpu" "$wall" "$kb" "CPU < 2 s" \
    "$(check "$cpu < 2")"
  : >"$work/scroll"
  for _ in $(seq "$runs"); do
    DISPLAY=$display QUORVEL_EXIT_WHEN_SHOWN=scroll QT_QPA_PLATFORM=xcb \
      "$timed_run" "$work/time" "$quorvel" timeline "$big" >/dev/null 2>"$work/stderr" || {
      echo "failed: quorvel timeline $big with QUORVEL_EXIT_WHEN_SHOWN=scroll" >&2
      cat "$work/stderr" >&2
      exit 2
    }
    grep '^scroll: ' "$work/stderr" | awk '{ print $(NF - 1) / 1000, $NF / 1000 }' >>"$work/scroll"
  done
  if [ ! -s "$work/scroll" ]; then
    echo "the timeline window did not time its scrolling" >&2
    exit 2
  fi
  cpu=$(printf '%.3f' "$(awk '{ print $1 }' "$work/scroll" | median)")
  wall=$(printf '%.3f' "$(awk '{ print $2 }' "$work/scroll" | median)")
  row "  scrolled: slowest step" "$cpu" "$wall" "" "CPU < 0.05 s" "$(check "$cpu < 0.05")"
fi
fi
# --- end of quorvel timeline -------------------------------------------------------

# --- quorvel preview ---------------------------------------------------------------
# On the example, under the same Xvfb with Mesa's software renderer: its storyboard
# written offscreen, beside dump of the example; and the window playing the whole
# sequence (ten frames of it in a smoke run), which must draw as many frames a second
# as the sequence has.
if windows && wants preview; then
dump_example_cmd=("$quorvel" dump "$work/fleet.ms3d")
storyboard_cmd=(env DISPLAY="$display" "$quorvel" preview "$work/fleet.ms3d" --storyboard
  -o "$work/storyboard.png")
measure_together dump_example_cmd storyboard_cmd
read -r cpu wall kb <"$work/summary.dump_example_cmd"
row "dump, the example (baseline)" "$cpu" "$wall" "$kb" "" 1
read -r cpu wall kb <"$work/summary.storyboard_cmd"
row "preview --storyboard, the example" "$cpu" "$wall" "$kb" "CPU < 2 s" "$(check "$cpu < 2")"
play=play
if [ -n "$smoke" ]; then play=play:10; fi
DISPLAY=$display QUORVEL_EXIT_WHEN_SHOWN=$play QT_QPA_PLATFORM=xcb \
  "$timed_run" "$work/time" "$quorvel" preview "$work/fleet.ms3d" >/dev/null 2>"$work/stderr" || {
  echo "failed: quorvel preview $work/fleet.ms3d with QUORVEL_EXIT_WHEN_SHOWN=play" >&2
  cat "$work/stderr" >&2
  exit 2
}
# "play: DRAWN frames drawn in SECONDS s, RATE a second, the sequence's RATE"
read -r drawn seconds rate wanted < <(awk '/^play: / { print $2, $6, $8, $13 }' "$work/stderr")
read -r user system wall kb <"$work/time"
row "preview window playing the example ($drawn frames)" \
  "$(awk "BEGIN{printf \"%.3f\", $user + $system}")" "$seconds" "$kb" \
  "$rate a second >= 0.95 x $wanted" "$(check "$rate >= 0.95 * $wanted")"
fi
# --- end of quorvel preview ---------------------------------------------------------

# 10,000 Adds through the Event Editor in one script, frames and types drawn so that
# many events share a frame and a length.
if wants edit; then
awk -v adds="$adds" 'BEGIN {
  srand(14)
  print "window sheet"; print "click 11014"
  for (i = 0; i < adds; ++i) {
    print "window 11005"; print "click 11007"; print "window 11006"
    print "set 11009 " int(rand() * 40); print "pick 11010 " (1 + int(rand() * 3)); print "click 1"
  }
  print "window 11005"; print "click 1"; print "window sheet"; print "click 2"
}' >"$work/adds.ui"
read -r cpu wall kb < <(measure "$quorvel" edit "$work/fleet.ms3d" --script "$work/adds.ui")
row "Event Editor: $adds Adds (headless)" "$cpu" "$wall" "$kb" "CPU < 5 s" "$(check "$cpu < 5")"
fi

echo "largest model: ${sizes[3]} joints, $(( file_kb / 1024 )) MB; medians of $runs runs;" \
  "a ratio is the median of the ratios in each round of runs"
cat "$table"
exit "$failed"
