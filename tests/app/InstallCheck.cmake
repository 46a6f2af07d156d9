# Installs the build into a folder of its own, as "cmake --install" does for
# a user, and checks what a user starts the program by: the command on the
# PATH, bin/corvanelle-r7, leads to the installed program; the desktop's menu
# entry is valid, runs that command, is shown only while it is there, and
# shows an icon installed with it.
#   cmake -DBUILD=<build folder> -DPREFIX=<folder> -DVALIDATE=<desktop-file-validate> -P InstallCheck.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} --component Unspecified
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(program "${PREFIX}/lib/corvanelle-r7/Corvanelle R7 Control Panel")
if(NOT EXISTS "${program}" OR IS_DIRECTORY "${program}")
  message(FATAL_ERROR "the program is not installed: ${program}")
endif()
set(command ${PREFIX}/bin/corvanelle-r7)
if(NOT IS_SYMLINK ${command})
  message(FATAL_ERROR "no link ${command}")
endif()
file(READ_SYMLINK ${command} target)
# Relative, so that it holds wherever the prefix is copied or packaged.
if(IS_ABSOLUTE "${target}")
  message(FATAL_ERROR "${command} names an absolute path: ${target}")
endif()
file(REAL_PATH ${command} resolved)
file(REAL_PATH "${program}" real_program)
if(NOT resolved STREQUAL real_program)
  message(FATAL_ERROR "${command} leads to ${resolved}, not to ${real_program}")
endif()

set(entry ${PREFIX}/share/applications/corvanelle-r7.desktop)
if(NOT EXISTS ${entry})
  message(FATAL_ERROR "no desktop entry at ${entry}")
endif()
if(NOT EXISTS "${VALIDATE}")
  message(FATAL_ERROR "desktop-file-validate was not found (package desktop-file-utils, see tools/setup.sh)")
endif()
execute_process(COMMAND ${VALIDATE} ${entry} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate ${entry} (${result}):\n${output}")
endif()
file(STRINGS ${entry} lines)
foreach(key Type Name Comment Keywords TryExec Exec Icon Categories)
  set(${key} "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^${key}=(.*)$")
      set(${key} "${CMAKE_MATCH_1}")
    endif()
  endforeach()
endforeach()

if(NOT Type STREQUAL "Application" OR NOT Name STREQUAL "Corvanelle R7 Control Panel" OR Categories STREQUAL ""
   OR Comment STREQUAL "" OR Keywords STREQUAL "")
  message(FATAL_ERROR "unexpected entry: Type=${Type} Name=${Name} Comment=${Comment} Keywords=${Keywords}"
                      " Categories=${Categories}")
endif()
# A prefix with blanks or other special characters is quoted.
if(NOT Exec STREQUAL "${command}" AND NOT Exec STREQUAL "\"${command}\"")
  message(FATAL_ERROR "Exec=${Exec} does not name ${command}")
endif()
# The menu shows the entry only while the command is there.
string(REPLACE "\\\\" "\\" tried "${TryExec}")
if(NOT tried STREQUAL "${command}")
  message(FATAL_ERROR "TryExec=${TryExec} does not name ${command}")
endif()
set(icon ${PREFIX}/share/icons/hicolor/128x128/apps/${Icon}.png)
if(NOT EXISTS ${icon})
  message(FATAL_ERROR "the entry's icon is not installed: ${icon}")
endif()
file(READ ${icon} signature LIMIT 8 HEX)
if(NOT signature STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "the icon is not a PNG file: ${icon}")
endif()
file(REMOVE_RECURSE ${PREFIX})
