# Part of the install (cmake --install, cpack): puts the command
# bin/corvanelle-r7 under the prefix, a relative link to the executable so
# that it holds in a staging folder (DESTDIR) and in a package too, and
# writes the desktop entry that runs the command and is shown only while the
# command is there. Set by the install rule:
# R7_PROGRAM and R7_BINDIR (under the prefix unless absolute),
# R7_ENTRY_TEMPLATE and R7_ENTRY.

foreach(name R7_PROGRAM R7_BINDIR)
  if(IS_ABSOLUTE "${${name}}")
    set(${name}_FULL "${${name}}")
  else()
    set(${name}_FULL "${CMAKE_INSTALL_PREFIX}/${${name}}")
  endif()
endforeach()
set(command "${R7_BINDIR_FULL}/corvanelle-r7")
file(RELATIVE_PATH target "${R7_BINDIR_FULL}" "${R7_PROGRAM_FULL}")

set(link "$ENV{DESTDIR}${command}")
message(STATUS "Installing: ${link}")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${R7_BINDIR_FULL}")
file(CREATE_LINK "${target}" "${link}" RESULT result SYMBOLIC)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "could not make the link ${link}: ${result}")
endif()
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}")

# The Exec value: a plain path as it is; any other quoted, with ", `, $ and \
# escaped inside the quotes, then \ and % escaped as every value of the file.
if(command MATCHES "^[A-Za-z0-9/._+-]+$")
  set(R7_EXEC "${command}")
else()
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" quoted "${command}")
  string(REPLACE "\\" "\\\\" R7_EXEC "\"${quoted}\"")
  string(REPLACE "%" "%%" R7_EXEC "${R7_EXEC}")
endif()
# TryExec, the command's path as it is (a string value escapes only \): the
# menu leaves the entry out while the command is missing, such as after the
# program was removed by hand from the prefix.
string(REPLACE "\\" "\\\\" R7_TRYEXEC "${command}")
configure_file("${R7_ENTRY_TEMPLATE}" "${R7_ENTRY}" @ONLY)
