#!/usr/bin/env bash
# quorvel.exe under Wine and the Linux quorvel edit two copies of the example with
# one UI script: the files must come out byte for byte the same, and the Linux
# quorvel show must read them alike. A script that fails must end both the same
# way, with status 4 and the same message, and save nothing. `apply` of one file
# does the same on both sides: the same messages, the same diff, the same file.
#   round_trip_test.sh WINE QUORVEL_EXE LINUX_QUORVEL SOURCE_DIR
set -euo pipefail
wine=$1
exe=$2
linux=$3
source=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
script=$source/tests/tools/quorvel/windows/round_trip.ui

for side in windows linux; do
  mkdir "$work/$side"
  cp "$source/examples/fleet.ms3d" "$work/$side/fleet.ms3d"
  printf 'window sheet\nexpect 11000 99\n' >"$work/$side/bad.ui"
  printf 'window sheet\nset 11000 25\nclick 2\n' >"$work/$side/cancel.ui"
done
run() {  # FOLDER COMMAND...: runs the command in that side's folder; prints status and output
  local folder=$1
  shift
  local status=0
  (cd "$work/$folder" && "$@") >"$work/out" 2>&1 || status=$?
  echo "status $status"
  tr -d '\r' <"$work/out"
}

failures=0
same() {  # WHAT LINUX WINDOWS
  if [ "$2" != "$3" ]; then
    echo "round trip: $1 differs between Linux and Windows:" >&2
    diff <(echo "$2") <(echo "$3") >&2 || true
    failures=$((failures + 1))
  fi
}

same "a cancelled run's end" "$(run linux "$linux" edit fleet.ms3d --script cancel.ui)" \
  "$(run windows "$wine" "$exe" edit fleet.ms3d --script cancel.ui)"
same "a failed script's end" "$(run linux "$linux" edit fleet.ms3d --script bad.ui)" \
  "$(run windows "$wine" "$exe" edit fleet.ms3d --script bad.ui)"
cmp "$source/examples/fleet.ms3d" "$work/windows/fleet.ms3d"
same "the edit's end" "$(run linux "$linux" edit fleet.ms3d --script "$script")" \
  "$(run windows "$wine" "$exe" edit fleet.ms3d --script "$script")"
same "quorvel show of the edited model" "$(run linux "$linux" show fleet.ms3d)" \
  "$(run windows "$linux" show fleet.ms3d)"
# A path that begins with "/" is a path on Windows too, not an option.
same "quorvel show of a path from the root" "$(run linux "$linux" show "$work/windows/fleet.ms3d")" \
  "$(run linux "$wine" "$exe" show "$work/windows/fleet.ms3d")"
if ! cmp "$work/linux/fleet.ms3d" "$work/windows/fleet.ms3d"; then
  failures=$((failures + 1))
fi
if ! "$linux" show "$work/windows/fleet.ms3d" | grep -q "OPT_FPS: 24"; then
  echo "round trip: the script's edit is not in the file quorvel.exe saved" >&2
  failures=$((failures + 1))
fi

# apply: the same file, refused and applied, on both sides; show --json piped back
# saves nothing.
"$linux" show --json "$source/examples/fleet.ms3d" >"$work/fleet.json"
sed 's/"200|hyperspaceOut|"/"150|hyperspaceOut|"/' "$work/fleet.json" >"$work/linux/moved.json"
sed 's/"frameRate": 30/"frameRate": 0/' "$work/fleet.json" >"$work/linux/refused.json"
cp "$work/linux/moved.json" "$work/linux/refused.json" "$work/windows/"
for side in linux windows; do
  cp "$source/examples/fleet.ms3d" "$work/$side/apply.ms3d"
done
same "a refused apply" "$(run linux "$linux" apply apply.ms3d refused.json)" \
  "$(run windows "$wine" "$exe" apply apply.ms3d refused.json)"
same "an apply's dry run" "$(run linux "$linux" apply --dry-run apply.ms3d moved.json)" \
  "$(run windows "$wine" "$exe" apply --dry-run apply.ms3d moved.json)"
same "show --json piped into apply" \
  "$(run linux sh -c "'$linux' show --json apply.ms3d | '$linux' apply apply.ms3d -")" \
  "$(run windows sh -c "'$linux' show --json apply.ms3d | '$wine' '$exe' apply apply.ms3d -")"
if ! cmp "$source/examples/fleet.ms3d" "$work/windows/apply.ms3d"; then
  failures=$((failures + 1))
fi
same "an apply" "$(run linux "$linux" apply apply.ms3d moved.json)" \
  "$(run windows "$wine" "$exe" apply apply.ms3d moved.json)"
if ! cmp "$work/linux/apply.ms3d" "$work/windows/apply.ms3d"; then
  failures=$((failures + 1))
fi
# quorvel.exe's help names the places of Windows first.
help=$("$wine" "$exe" --help 2>&1 | tr -d '\r')
case $help in
  *"default: quorvel_plugin.dll in the program's folder; on Linux"*) ;;
  *) echo "round trip: quorvel.exe --help does not name the DLL's place first" >&2
     failures=$((failures + 1)) ;;
esac
edit_help=$("$wine" "$exe" edit --help 2>&1 | tr -d '\r')
case $edit_help in
  *'ZU2_Root=C:\Games\ZU2'*'ui-scripts.md beside quorvel.exe'*) ;;
  *'ui-scripts.md beside quorvel.exe'*'ZU2_Root=C:\Games\ZU2'*) ;;
  *) echo "round trip: quorvel.exe edit --help does not name Windows places" >&2
     failures=$((failures + 1)) ;;
esac
exit $failures
