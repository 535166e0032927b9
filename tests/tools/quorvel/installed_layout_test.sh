#!/bin/sh
# Installs the build into a fresh prefix and runs the installed quorvel from
# another folder, with nothing saying where the plug-in module is: it must find the
# module beside its own folder, and so the module of real windows when the build
# has one; a command that shows nothing works without that module.
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
test -f "$prefix/share/doc/quorvel/show.schema.json"
# The documents the help texts name, where they say.
for doc in README.md ui-scripts.md check.md architecture.md; do
  test -f "$prefix/share/doc/quorvel/$doc" || {
    echo "$doc is not installed in share/doc/quorvel"
    exit 1
  }
done
"$prefix/bin/quorvel" check --help | grep -q 'installed as share/doc/quorvel/check.md'

windows=$prefix/lib/libquorvel_qt_windows.so
if [ -f "$build/lib/libquorvel_qt_windows.so" ]; then
  if ldd "$windows" | grep -E 'libquorvel_framework' | grep -v "=> $prefix/"; then
    echo "the installed module of real windows loads a framework from outside $prefix"
    exit 1
  fi
  env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/quorvel" timeline "$model" -o "$prefix/t.png" \
    >"$prefix/drawn" 2>&1 || {
    echo "the installed quorvel did not draw a PNG:"
    cat "$prefix/drawn"
    exit 1
  }
  test -s "$prefix/t.png"
  # Without it, what shows nothing still works, and a PNG names what is missing.
  rm "$windows"
  "$prefix/bin/quorvel" dump "$model" >/dev/null
  if "$prefix/bin/quorvel" timeline "$model" -o "$prefix/u.png" 2>"$prefix/refused"; then
    echo "the installed quorvel drew a PNG without its module of real windows"
    exit 1
  fi
  grep -q 'libquorvel_qt_windows.so cannot be loaded' "$prefix/refused" || {
    cat "$prefix/refused"
    exit 1
  }
fi
