# The layers of the program, one line each: the library's name, its folder below src/, and the
# libraries it may use. Those before "|" are needed by its headers (linked PUBLIC); those after
# are needed by its sources only (linked PRIVATE). A layer may include the headers of its own
# folder and of every layer it may use, directly or through them. A layer that reaches neither Qt
# Widgets nor Qt PrintSupport that way is song code: it includes no widget or printing header and
# links no such library, directly or through another one.
#
# Read by src/CMakeLists.txt (the libraries), the link check at configure time and the
# layer_includes test; a new layer is one more line here.
set(HARMONOTE_LAYERS
  # name           folder            may use
  "platform_core    platform/core     Qt6::Core Qt6::Gui"
  "platform_desktop platform/desktop  platform_core Qt6::Widgets Qt6::PrintSupport"
  "sheet            sheet             platform_core"
  "tools            tools             platform_core"
  "app              app               platform_core | platform_desktop"
  "shell            shell             app platform_desktop"
  "mainwindow       mainwindow        sheet platform_desktop | shell app tools"
)

# The libraries whose use makes a layer more than song code.
set(HARMONOTE_WIDGET_LIBRARIES Qt6::Widgets Qt6::PrintSupport)

# harmonote_layer_fields(<line> <name-var> <folder-var> <public-var> <private-var>)
function(harmonote_layer_fields line name_var folder_var public_var private_var)
  string(STRIP "${line}" line)
  string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
  list(POP_FRONT fields name folder)
  set(public "")
  set(private "")
  set(side public)
  foreach(field IN LISTS fields)
    if(field STREQUAL "|")
      set(side private)
    else()
      list(APPEND ${side} ${field})
    endif()
  endforeach()
  set(${name_var} ${name} PARENT_SCOPE)
  set(${folder_var} ${folder} PARENT_SCOPE)
  set(${public_var} "${public}" PARENT_SCOPE)
  set(${private_var} "${private}" PARENT_SCOPE)
endfunction()

# Sets, for every layer <name> of the table: HARMONOTE_LAYER_NAMES (all names, in table order),
# HARMONOTE_LAYER_FOLDER_<name>, HARMONOTE_LAYER_PUBLIC_<name>, HARMONOTE_LAYER_PRIVATE_<name>,
# HARMONOTE_LAYER_REACH_<name> (every library it uses, directly or through the layers it uses,
# itself included) and HARMONOTE_PURE_LAYERS (the layers that are song code).
macro(harmonote_read_layers)
  set(HARMONOTE_LAYER_NAMES "")
  foreach(_line IN LISTS HARMONOTE_LAYERS)
    harmonote_layer_fields("${_line}" _name _folder _public _private)
    if(_name IN_LIST HARMONOTE_LAYER_NAMES)
      message(FATAL_ERROR "The layer ${_name} has two lines in cmake/layers.cmake")
    endif()
    list(APPEND HARMONOTE_LAYER_NAMES ${_name})
    set(HARMONOTE_LAYER_FOLDER_${_name} ${_folder})
    set(HARMONOTE_LAYER_PUBLIC_${_name} ${_public})
    set(HARMONOTE_LAYER_PRIVATE_${_name} ${_private})
    # A layer uses only layers of earlier lines, so their reach is known.
    set(_reach ${_name})
    foreach(_used IN LISTS _public _private)
      if(_used IN_LIST HARMONOTE_LAYER_NAMES)
        list(APPEND _reach ${HARMONOTE_LAYER_REACH_${_used}})
      elseif(NOT _used MATCHES "::")
        message(FATAL_ERROR "The layer ${_name} uses ${_used}, which is no layer of an earlier line")
      else()
        list(APPEND _reach ${_used})
      endif()
    endforeach()
    list(REMOVE_DUPLICATES _reach)
    set(HARMONOTE_LAYER_REACH_${_name} ${_reach})
  endforeach()
  set(HARMONOTE_PURE_LAYERS "")
  foreach(_name IN LISTS HARMONOTE_LAYER_NAMES)
    set(_pure TRUE)
    foreach(_library IN LISTS HARMONOTE_WIDGET_LIBRARIES)
      if(_library IN_LIST HARMONOTE_LAYER_REACH_${_name})
        set(_pure FALSE)
      endif()
    endforeach()
    if(_pure)
      list(APPEND HARMONOTE_PURE_LAYERS ${_name})
    endif()
  endforeach()
endmacro()
