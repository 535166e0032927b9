#!/bin/sh
# Installs the build into a fresh prefix and runs the installed quorvel from
# another folder, with nothing saying where the plug-in module is: it must find the
# module beside its own folder.
#
#   installed_layout_test.sh BUILD MODEL [CMAKE]
set -eu
build=$1
model=$2
cmake=${3:-cmake}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
# The libraries that program and module share come from the prefix, not the build.
if ldd "$prefix/bin/quorvel" | grep -E 'libmsmodel|libquorvel_framework' | grep -v "=> $prefix/"; then
  echo "the installed quorvel loads libraries of its own from outside $prefix"
  exit 1
fi
cd /
env -u QUORVEL_PLUGIN "$prefix/bin/quorvel" show "$model" >"$prefix/shown" 2>&1 || {
  cat "$prefix/shown"
  exit 1
}
grep -q '^"Quorvel" attributes of ' "$prefix/shown" || {
  echo "the installed quorvel did not run the plug-in:"
  cat "$prefix/shown"
  exit 1
}
test -f "$prefix/share/doc/quorvel/ui-scripts.md"
