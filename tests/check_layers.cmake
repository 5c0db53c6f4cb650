# The floors of docs/architecture.md. A folder under src/ includes only from its own folder and
# from folders on lower floors:
#
#   7 hostkit
#   6 control
#   5 persist, print
#   4 plot
#   3 objects
#   2 regions
#   1 axes
#   0 platform, res
#
# One exception, which the data model requires: regions and objects keep a back-pointer to the
# plot object, so they may include plot/CPlotLook.h, plot/CPlotVar.h and plot/IPlotHost.h, and
# nothing else from plot/. Only src/platform includes Qt headers.
cmake_minimum_required(VERSION 3.25)
set(floor_platform 0)
set(floor_res 0)
set(floor_axes 1)
set(floor_regions 2)
set(floor_objects 3)
set(floor_plot 4)
set(floor_persist 5)
set(floor_print 5)
set(floor_control 6)
set(floor_hostkit 7)
set(back_pointer_headers "plot/CPlotLook.h;plot/CPlotVar.h;plot/IPlotHost.h")

file(GLOB_RECURSE files ${SRC}/*.h ${SRC}/*.cpp)
set(bad "")
foreach(f ${files})
  file(RELATIVE_PATH rel ${SRC} ${f})
  string(REGEX MATCH "^[^/]+" folder "${rel}")
  if(NOT DEFINED floor_${folder})
    list(APPEND bad "${rel}: folder ${folder} has no floor in tests/check_layers.cmake")
    continue()
  endif()
  if(NOT folder STREQUAL "platform")
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|Qt[A-Za-z]*/)")
    if(lines)
      list(APPEND bad "${rel}: Qt above the platform layer: ${lines}")
    endif()
  endif()
  file(STRINGS "${f}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
  foreach(line ${includes})
    string(REGEX MATCH "\"([a-z]+)/([^\"]+)\"" _ "${line}")
    set(target "${CMAKE_MATCH_1}")
    set(header "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}")
    if(target STREQUAL folder OR NOT DEFINED floor_${target})
      continue()
    endif()
    if(floor_${target} LESS floor_${folder})
      continue()
    endif()
    if((folder STREQUAL "regions" OR folder STREQUAL "objects") AND header IN_LIST back_pointer_headers)
      continue()
    endif()
    list(APPEND bad "${rel}: ${folder} (floor ${floor_${folder}}) includes ${header} (floor ${floor_${target}})")
  endforeach()
endforeach()
if(bad)
  string(REPLACE ";" "\n" msg "${bad}")
  message(FATAL_ERROR "layering broken:\n${msg}")
endif()
message(STATUS "layering ok: ${SRC}")
