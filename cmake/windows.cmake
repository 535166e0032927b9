# What the Windows cross build needs besides the compiler: GoogleTest built from
# Debian's sources for the target, and the header-only libraries of the Linux
# build (found on the build machine, but only their own headers are made visible,
# never the build machine's system headers).

# GoogleTest and GoogleMock, from the googletest package's sources.
set(QUORVEL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")
if(NOT EXISTS ${QUORVEL_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest's sources are missing at ${QUORVEL_GOOGLETEST_SOURCE}: "
                      "apt-get install googletest (scripts/install-deps.sh does)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
# Warnings in a library we do not own are not ours to fix.
set(quorvel_saved_options "${CMAKE_CXX_FLAGS}")
add_subdirectory(${QUORVEL_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(target gtest gtest_main gmock gmock_main)
  set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "-w")
  if(NOT TARGET GTest::${target})
    add_library(GTest::${target} ALIAS ${target})
  endif()
endforeach()

# Header-only libraries, each given to the cross compiler through a folder of its own
# that holds nothing but that library's headers.
set(quorvel_header_dir ${PROJECT_BINARY_DIR}/header-only)
file(MAKE_DIRECTORY ${quorvel_header_dir})
foreach(header nlohmann CLI xxhash.h)
  if(NOT EXISTS /usr/include/${header})
    message(FATAL_ERROR "/usr/include/${header} is missing (scripts/install-deps.sh installs it)")
  endif()
  file(CREATE_LINK /usr/include/${header} ${quorvel_header_dir}/${header} SYMBOLIC)
endforeach()
add_library(nlohmann_json_headers INTERFACE)
target_include_directories(nlohmann_json_headers SYSTEM INTERFACE ${quorvel_header_dir})
add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json_headers)
add_library(cli11_headers INTERFACE)
target_include_directories(cli11_headers SYSTEM INTERFACE ${quorvel_header_dir})
add_library(CLI11::CLI11 ALIAS cli11_headers)
set(QUORVEL_XXHASH_INCLUDE_DIR ${quorvel_header_dir} CACHE PATH "" FORCE)

# Tests run under Wine. Each test program is one ctest case there: starting Wine
# for every single test would take longer than the tests. Wine keeps its own
# settings in a prefix of the build's, so the user's own ~/.wine is never touched.
set(QUORVEL_WINEPREFIX ${PROJECT_BINARY_DIR}/wineprefix)

# The folders (of the tree and of tests/) not built for Windows yet, and those
# whose tests are not (they make POSIX files and run programs the POSIX way).
set(QUORVEL_NOT_ON_WINDOWS examples bench fuzz)
set(QUORVEL_TESTS_NOT_ON_WINDOWS tools/check tools/nis tools/timeline tools/preview tools/quorvel)

# The calling convention of the slots of a plug-in object as the modeller's compiler
# lays them out (plugin/session/host_object.h): thiscall on 32-bit Windows.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_compile_definitions("QUORVEL_THISCALL=__attribute__((thiscall))")
endif()

# Paths as Windows writes them: backslashes as well as slashes, and drives
# (host/path_parts.h).
add_compile_definitions(QUORVEL_WINDOWS_PATHS=1)
