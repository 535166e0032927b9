#!/usr/bin/env bash
# Builds the Windows files of Quorvel with the MinGW cross compilers into one
# folder, dist/windows/: the 32-bit plug-in DLL, quorvel.exe with our own
# msModelLib.dll for it, a short text for the modeller's user (which file goes
# where, how to run quorvel.exe), the UI script guide, the list of check's codes,
# and the example model with a script for it; in dist/windows/64-bit/ the same three
# files for a 64-bit modeller. Installs what is missing first.
#   bash scripts/build-windows.sh [JOBS]
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${1:-$(nproc)}

bash scripts/install-deps.sh

out=dist/windows
rm -rf "$out"
# build folder, toolchain, triple, output folder
for build in "build-windows mingw-i686 i686-w64-mingw32 $out" \
  "build-windows-x64 mingw-x86_64 x86_64-w64-mingw32 $out/64-bit"; do
  read -r folder toolchain triple files <<<"$build"
  cmake -S . -B "$folder" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/$toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=ON >/dev/null
  cmake --build "$folder" -j "$jobs" --target quorvel_plugin quorvel msmodel
  mkdir -p "$files"
  # Without their debugging information, which only a debugger here would read.
  for file in quorvel_plugin.dll quorvel.exe msModelLib.dll; do
    "$triple-strip" -o "$files/$file" "$folder/bin/$file"
  done
done
# Texts with Windows line ends; the example model and script that README.txt uses.
sed 's/$/\r/' docs/windows-files.txt >"$out/README.txt"
sed 's/$/\r/' docs/ui-scripts.md >"$out/ui-scripts.md"
cp docs/show.schema.json "$out/show.schema.json"
sed 's/$/\r/' docs/check.md >"$out/check.md"
sed 's/$/\r/' examples/frame-rate.ui >"$out/frame-rate.ui"
cp examples/fleet.ms3d "$out/fleet.ms3d"
echo "build-windows: the Windows files are in $out:"
ls -lR "$out"
