# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers: the same files
# as the 32-bit build (mingw-i686.cmake), for a modeller that is a 64-bit program.
#   cmake -S . -B build-windows-x64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUORVEL_MINGW_TRIPLE x86_64-w64-mingw32)

include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
