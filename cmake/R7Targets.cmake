# Warnings for our own targets only (generated moc/uic/rcc code is included but
# compiles clean with these flags).
function(r7_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(R7_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# r7_library(<name> <sources...> [LIBS <libs...>])
# One static library per source folder; LIBS are linked publicly so that a
# library's users see the headers of what it builds on.
function(r7_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_UNPARSED_ARGUMENTS})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  r7_warnings(${name})
endfunction()
