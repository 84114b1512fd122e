# cmake -DSOURCE_DIR=<the src folder> -P check_layer_includes.cmake
#
# Fails when a source includes a header of a layer it may not use: each layer includes its own
# headers and those of the layers below it only (mainwindow may use all). The platform core,
# sheet and tools also include no Qt Widgets or PrintSupport header.
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

set(layers platform/core platform/desktop sheet tools app shell)
set(may_use_platform/core platform/core)
set(may_use_platform/desktop platform/core platform/desktop)
set(may_use_sheet platform/core sheet)
set(may_use_tools platform/core sheet tools)
set(may_use_app platform/core platform/desktop app)
set(may_use_shell platform/core platform/desktop app shell)
set(pure platform/core sheet tools)

set(faults "")
foreach(layer IN LISTS layers)
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${source})
    foreach(line IN LISTS includes)
      if(line MATCHES "[\"<]((platform/[a-z_]+)|(sheet|tools|app|shell|mainwindow))/")
        set(used "${CMAKE_MATCH_1}")
        if(NOT used IN_LIST may_use_${layer})
          string(REPLACE ";" ", " allowed "${may_use_${layer}}")
          list(APPEND faults "${shown}: ${line}  (${layer} may use ${allowed})")
        endif()
      elseif(layer IN_LIST pure AND line MATCHES "<Qt(Widgets|PrintSupport)/")
        list(APPEND faults "${shown}: ${line}  (${layer} uses no widgets and no printing)")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes that run against the layers:\n  ${text}")
endif()
