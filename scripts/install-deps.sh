#!/usr/bin/env bash
# Installs, from Debian's archive, whatever the build, the tests and the editor need
# and this machine does not have yet. Safe to run again: it installs nothing that is
# already there. Runs as root, or through sudo when there is one.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev libexpat1-dev libxxhash-dev
  clang libclang-rt-dev
  qt6-base-dev qt6-base-private-dev libgl-dev
  # The preview draws with OpenGL through Qt (QtOpenGL's headers), run by Mesa's
  # software renderer where there is no graphics card, on Xvfb where there is no display.
  libqt6opengl6-dev libgl1-mesa-dri libegl1 libglx-mesa0
  assimp-testmodels assimp-utils time
  xvfb xauth fonts-dejavu-core
  # The validator the tests hold show --json's output against its JSON Schema with.
  python3 python3-jsonschema
  # The Windows build: the MinGW cross compilers (32- and 64-bit), GoogleTest's
  # sources to build for them, clang and lld for a caller laid out as Microsoft's
  # compiler lays it out, and Wine (32-bit, from the i386 architecture) to run it all.
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest lld wine wine32:i386
  # Wine's own fonts: "MS Sans Serif", the dialogs' font, is then Wine's, whatever
  # other fonts the machine has, and the Windows tests see the same metrics anywhere.
  fonts-wine
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
  else
    echo "install-deps: missing packages (${missing[*]}) and not root; run as root or install sudo" >&2
    exit 1
  fi
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# 32-bit Wine comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
