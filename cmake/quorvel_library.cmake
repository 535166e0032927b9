# How a folder of the tree declares its library, as docs/architecture.md's table of
# layers describes it:
#
#   quorvel_library(quorvel_events
#     USES plugin/attributes                  # what its sources may include
#     SOURCES event_catalogue.cc event_text.cc
#     PER_SYSTEM event_clock                  # event_clock_posix.cc or _windows.cc
#     POSIX event_posix_only.cc               # only on POSIX systems
#     WINDOWS event_windows_only.cc           # only on Windows
#     LINK quorvel_attributes                 # linked PUBLIC
#     LINK_PRIVATE nlohmann_json::nlohmann_json)
#
# ONLY_IF VARIABLE builds the library only when that variable is true (WIN32,
# QUORVEL_POSIX, QUORVEL_WITH_QT); otherwise it is declared all the same, for the layering test.
#
# The library is STATIC unless SHARED or MODULE is given (or TYPE names one). Its
# folder is the folder of the CMakeLists.txt that declares it. USES names the folders
# (framework/core) or single headers (host/ms_model_lib.h) that its sources may
# include besides their own folder's; the layering test (tests/check_layers.py)
# holds every #include of the folder to them, those of the other system's sources
# too.
#
# Every header is included by its path from the top of the tree
# (#include "plugin/attributes/attribute_text.h"): the library carries that include
# path to whatever links it, through quorvel_tree. A program that links none of the
# libraries links quorvel_tree itself.

# For ONLY_IF: true on every system but Windows.
if(NOT WIN32)
  set(QUORVEL_POSIX ON)
endif()

if(NOT TARGET quorvel_tree)
  add_library(quorvel_tree INTERFACE)
  target_include_directories(quorvel_tree INTERFACE ${PROJECT_SOURCE_DIR})
endif()

# The layer table as the build declares it, written for the layering test once every
# folder has been read (quorvel_write_layers).
set_property(GLOBAL PROPERTY QUORVEL_LAYER_LIBRARIES "")

function(quorvel_library name)
  cmake_parse_arguments(L "STATIC;SHARED;MODULE" "TYPE;ONLY_IF"
                        "USES;SOURCES;PER_SYSTEM;POSIX;WINDOWS;LINK;LINK_PRIVATE" ${ARGN})
  set(type STATIC)
  if(L_TYPE)
    set(type ${L_TYPE})
  elseif(L_SHARED)
    set(type SHARED)
  elseif(L_MODULE)
    set(type MODULE)
  endif()
  if(L_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "quorvel_library(${name}): unknown arguments ${L_UNPARSED_ARGUMENTS}")
  endif()

  set(posix ${L_POSIX})
  set(windows ${L_WINDOWS})
  foreach(piece ${L_PER_SYSTEM})
    list(APPEND posix ${piece}_posix.cc)
    list(APPEND windows ${piece}_windows.cc)
  endforeach()
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY QUORVEL_LAYER_LIBRARIES ${name})
  set_property(GLOBAL PROPERTY QUORVEL_FOLDER_${name} "${folder}")
  set_property(GLOBAL PROPERTY QUORVEL_USES_${name} "${L_USES}")
  set_property(GLOBAL PROPERTY QUORVEL_ALL_SOURCES_${name} ${L_SOURCES} ${posix} ${windows})
  if(L_ONLY_IF AND NOT ${L_ONLY_IF})
    return()
  endif()

  if(WIN32)
    set(built ${L_SOURCES} ${windows})
  else()
    set(built ${L_SOURCES} ${posix})
  endif()
  add_library(${name} ${type} ${built})
  target_link_libraries(${name} PUBLIC quorvel_tree ${L_LINK})
  if(L_LINK_PRIVATE)
    target_link_libraries(${name} PRIVATE ${L_LINK_PRIVATE})
  endif()
endfunction()

# Writes what the libraries declared to FILE as JSON, for the layering test
# (tests/check_layers.py): for each library its folder, what it may use, and every
# source of either system.
function(quorvel_write_layers file)
  get_property(libraries GLOBAL PROPERTY QUORVEL_LAYER_LIBRARIES)
  set(entries)
  foreach(library ${libraries})
    get_property(folder GLOBAL PROPERTY QUORVEL_FOLDER_${library})
    set(lists)
    foreach(property USES ALL_SOURCES)
      get_property(values GLOBAL PROPERTY QUORVEL_${property}_${library})
      set(items)
      foreach(value ${values})
        list(APPEND items "\"${value}\"")
      endforeach()
      list(JOIN items ", " items)
      list(APPEND lists "[${items}]")
    endforeach()
    list(GET lists 0 uses)
    list(GET lists 1 sources)
    list(APPEND entries
         "  {\"name\": \"${library}\", \"folder\": \"${folder}\", \"uses\": ${uses}, \"sources\": ${sources}}")
  endforeach()
  list(JOIN entries ",\n" entries)
  file(WRITE ${file} "[\n${entries}\n]\n")
endfunction()
