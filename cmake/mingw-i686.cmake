# Cross build for 32-bit Windows with Debian's MinGW-w64 compilers, the way the
# modeller loads plug-ins. The posix thread model gives the standard library its
# threads and mutexes; everything the compiler brings is linked statically so that
# the built files need only the system's DLLs (and the host's msModelLib.dll).
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUORVEL_MINGW_TRIPLE i686-w64-mingw32)

include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
