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

# r7_add_layers(<folder>...)
# Adds the folders below the current source folder in the order given, lowest
# layer first; a folder joins once it has its CMakeLists.txt. A folder below
# that holds a CMakeLists.txt or sources (.h, .cpp, .ui) but is not in the
# list fails the configure step, as does a listed folder with sources and no
# CMakeLists.txt: nothing is left out of the build unnoticed. The check runs
# again at every build, so a folder made later is caught in an existing build
# folder too.
function(r7_add_layers)
  set(root ${CMAKE_CURRENT_SOURCE_DIR})
  file(RELATIVE_PATH shown ${PROJECT_SOURCE_DIR} ${root})
  file(GLOB_RECURSE found LIST_DIRECTORIES false CONFIGURE_DEPENDS RELATIVE ${root}
       ${root}/*/CMakeLists.txt ${root}/*.h ${root}/*.cpp ${root}/*.ui)
  set(problems "")
  set(seen "")
  foreach(file IN LISTS found)
    get_filename_component(dir ${file} DIRECTORY)
    if(dir STREQUAL "" OR dir IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${dir})
    if(NOT dir IN_LIST ARGN)
      list(APPEND problems "  ${shown}/${dir}/ is not in the layer list (${shown}/${file})")
    elseif(NOT EXISTS ${root}/${dir}/CMakeLists.txt)
      list(APPEND problems "  ${shown}/${dir}/ holds sources but no CMakeLists.txt (${shown}/${file})")
    endif()
  endforeach()
  if(problems)
    list(JOIN problems "\n" text)
    message(FATAL_ERROR "Folders the build would leave out:\n${text}\n"
            "Name each folder in the layer list (R7_LAYERS in src/CMakeLists.txt, lower layers first) "
            "and give it a CMakeLists.txt of its own.")
  endif()
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${root}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
