# cmake -DSOURCE_DIR=<the src folder> -P check_layer_includes.cmake
#
# Fails when a source includes a header of a layer it may not use: each layer includes its own
# headers and those of the layers it uses, directly or through them (the table in layers.cmake).
# Song code also includes no Qt Widgets or PrintSupport header.
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/layers.cmake)
harmonote_read_layers()

set(widget_modules "")
foreach(library IN LISTS HARMONOTE_WIDGET_LIBRARIES)
  string(REGEX REPLACE "^Qt6?::" "Qt" module "${library}")
  list(APPEND widget_modules ${module})
endforeach()
list(JOIN widget_modules "|" widget_modules)

set(faults "")
foreach(layer IN LISTS HARMONOTE_LAYER_NAMES)
  set(allowed "")
  foreach(used IN LISTS HARMONOTE_LAYER_REACH_${layer})
    if(used IN_LIST HARMONOTE_LAYER_NAMES)
      list(APPEND allowed ${HARMONOTE_LAYER_FOLDER_${used}})
    endif()
  endforeach()
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${HARMONOTE_LAYER_FOLDER_${layer}}/*.h
                            ${SOURCE_DIR}/${HARMONOTE_LAYER_FOLDER_${layer}}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${source})
    foreach(line IN LISTS includes)
      if(NOT line MATCHES "[\"<]([^\">]+)[\">]")
        continue()
      endif()
      set(path "${CMAKE_MATCH_1}")
      # The layer whose folder holds the header, if one does.
      set(used "")
      foreach(other IN LISTS HARMONOTE_LAYER_NAMES)
        string(FIND "${path}" "${HARMONOTE_LAYER_FOLDER_${other}}/" at)
        if(at EQUAL 0)
          set(used ${HARMONOTE_LAYER_FOLDER_${other}})
        endif()
      endforeach()
      if(used)
        if(NOT used IN_LIST allowed)
          list(JOIN allowed ", " shown_allowed)
          list(APPEND faults "${shown}: ${line}  (${layer} may use ${shown_allowed})")
        endif()
      elseif(layer IN_LIST HARMONOTE_PURE_LAYERS AND path MATCHES "^(${widget_modules})/")
        list(APPEND faults "${shown}: ${line}  (${layer} uses no widgets and no printing)")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes that run against the layers:\n  ${text}")
endif()
