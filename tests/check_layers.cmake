# The layering rules of docs/architecture.md:
#  - only src/platform includes Qt headers;
#  - the plot and everything below it (plot, objects, regions, axes, res) never include the
#    control, the persistence or the printing layers: the plot reaches its control through
#    plot/IPlotHost.h.
file(GLOB_RECURSE files ${SRC}/*.h ${SRC}/*.cpp)
set(bad "")
foreach(f ${files})
  file(RELATIVE_PATH rel ${SRC} ${f})
  if(NOT rel MATCHES "^platform/")
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|Qt[A-Za-z]*/)")
    if(lines)
      list(APPEND bad "${rel}: Qt above the platform layer: ${lines}")
    endif()
  endif()
  if(rel MATCHES "^(plot|objects|regions|axes|res)/")
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"(control|persist|print|hostkit)/")
    if(lines)
      list(APPEND bad "${rel}: includes an upper layer: ${lines}")
    endif()
  endif()
endforeach()
if(bad)
  string(REPLACE ";" "\n" msg "${bad}")
  message(FATAL_ERROR "layering broken:\n${msg}")
endif()
message(STATUS "layering ok: ${SRC}")
