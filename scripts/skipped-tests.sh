#!/usr/bin/env bash
# Lists the tests of the last ctest run in BUILD that were skipped, each with the
# reason the test gave, so that nothing the machine could not give passes unseen.
#   bash scripts/skipped-tests.sh BUILD
# Prints nothing when no test was skipped.
set -euo pipefail
log=$1/Testing/Temporary/LastTest.log
[ -f "$log" ] || exit 0
awk '
  /^[0-9]+\/[0-9]+ Test: / { name = $0; sub(/^[0-9]+\/[0-9]+ Test: /, "", name); next }
  # GoogleTest writes "FILE:LINE: Skipped", then the reason up to an empty line.
  /: Skipped$/ { reading = 1; reason = ""; next }
  reading && /^$/ { reading = 0; print "  skipped " name ": " reason; next }
  reading && /^\[/ { reading = 0; print "  skipped " name ": " reason; next }
  reading { reason = reason (reason == "" ? "" : " ") $0 }
' "$log" | sort -u
