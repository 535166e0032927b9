#!/usr/bin/env bash
# Builds the Windows files of Quorvel (32-bit, with the MinGW cross compiler) into
# one folder, dist/windows/: the plug-in DLL, quorvel.exe with our own
# msModelLib.dll for it, a short text for the modeller's user (which file goes
# where) and the UI script guide. Installs what is missing first.
#   bash scripts/build-windows.sh [JOBS]
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${1:-$(nproc)}

bash scripts/install-deps.sh

cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=ON >/dev/null
cmake --build build-windows -j "$jobs" --target quorvel_plugin quorvel msmodel

out=dist/windows
rm -rf "$out"
mkdir -p "$out"
# Without their debugging information, which only a debugger here would read.
for file in quorvel_plugin.dll quorvel.exe msModelLib.dll; do
  i686-w64-mingw32-strip -o "$out/$file" "build-windows/bin/$file"
done
# Texts with Windows line ends.
sed 's/$/\r/' docs/windows-files.txt >"$out/README.txt"
sed 's/$/\r/' docs/ui-scripts.md >"$out/ui-scripts.md"
echo "build-windows: the Windows files are in $out:"
ls -l "$out"
