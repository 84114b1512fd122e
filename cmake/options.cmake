# harmonote_options: the compile and link flags every target of ours builds with, linked PRIVATE
# by each (libraries, executables, tests, benchmarks, fuzzers), so that nothing is set globally.
#
#   HARMONOTE_WERROR    warnings stop the build
#   HARMONOTE_SANITIZE  address and undefined-behaviour sanitizers; a report ends the program
#   HARMONOTE_FUZZ      libFuzzer instrumentation with the sanitizers (clang only)
#
# A target that must run without the sanitizers (a library loaded with LD_PRELOAD into sanitized
# programs) sets its property HARMONOTE_NO_SANITIZE to ON and keeps the warnings.
add_library(harmonote_options INTERFACE)

target_compile_options(harmonote_options INTERFACE -Wall -Wextra -Wpedantic)
if(HARMONOTE_WERROR)
  target_compile_options(harmonote_options INTERFACE -Werror)
endif()

set(sanitized "$<NOT:$<BOOL:$<TARGET_PROPERTY:HARMONOTE_NO_SANITIZE>>>")
if(HARMONOTE_SANITIZE)
  target_compile_options(harmonote_options INTERFACE
    "$<${sanitized}:-fsanitize=address,undefined;-fno-sanitize-recover=all;-fno-omit-frame-pointer>")
  target_link_options(harmonote_options INTERFACE "$<${sanitized}:-fsanitize=address,undefined>")
endif()
if(HARMONOTE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "HARMONOTE_FUZZ needs clang: configure a fresh build folder with CXX=clang++")
  endif()
  target_compile_options(harmonote_options INTERFACE
    "$<${sanitized}:-fsanitize=fuzzer-no-link,address,undefined;-fno-sanitize-recover=all;-fno-omit-frame-pointer>")
  target_link_options(harmonote_options INTERFACE "$<${sanitized}:-fsanitize=address,undefined>")
endif()
