# Makes the Debian package as ./package.sh does, from a release build of its
# own (a sanitizer build's program would depend on the sanitizers' libraries),
# and checks it as a user's tools judge it: lintian (when installed) finds no
# error and no warning. Then with dpkg-deb: its name and fields, the
# dependencies found on the program's shared libraries, the script that
# reloads the udev rules, and every file in place under the package's root,
# nothing else beside them; the menu entry and the software catalogue's entry
# pass their validators, and the catalogue's entry names every mouse of the
# udev rule.
#   cmake -DSOURCE=<source folder> -DBUILD=<build folder> -DVERSION=<version> -DSHIPPED=<shipped files>
#         -DVALIDATE=<desktop-file-validate> -DCC=<C compiler> -DCXX=<C++ compiler> -DJOBS=<compile jobs>
#         -P PackageCheck.cmake
cmake_minimum_required(VERSION 3.16)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    list(JOIN ARGN " " shown)
    message(FATAL_ERROR "${shown} failed (${result}):\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

function(fail)
  list(JOIN ARGN "" text)
  message(FATAL_ERROR "${text}")
endfunction()

foreach(tool dpkg dpkg-deb dpkg-shlibdeps gzip)
  find_program(found_${tool} ${tool})
  if(NOT found_${tool})
    fail("${tool} was not found (see tools/setup.sh)")
  endif()
endforeach()

# Kept between runs: the build is incremental, and the compiler launcher
# (CMAKE_CXX_COMPILER_LAUNCHER in the environment) is taken up as it is.
# Warnings are errors here too: the hardened release build checks what the
# test build does not (the checked string and file functions' results).
run(${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD}/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
    -DR7_WERROR=ON -DCMAKE_C_COMPILER=${CC} -DCMAKE_CXX_COMPILER=${CXX})
# JOBS compile jobs: the other tests run beside it.
run(${CMAKE_COMMAND} --build ${BUILD}/release --parallel ${JOBS})
file(GLOB old ${BUILD}/release/*.deb)
if(old)
  file(REMOVE ${old})
endif()
run(${found_dpkg} --print-architecture)
string(STRIP "${output}" architecture)
set(name corvanelle-r7_${VERSION}_${architecture}.deb)
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DESTDIR ${CMAKE_CPACK_COMMAND} -G DEB
                WORKING_DIRECTORY ${BUILD}/release RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  fail("cpack -G DEB failed (${result}):\n${output}")
endif()
set(deb ${BUILD}/release/${name})
if(NOT EXISTS ${deb})
  file(GLOB made ${BUILD}/release/*.deb)
  fail("no ${name}; made: ${made}\n${output}")
endif()

# Every error and warning is printed; the other hints are not judged.
find_program(found_lintian lintian)
if(found_lintian)
  run(${found_lintian} --fail-on none --display-info --pedantic ${deb})
  string(REGEX MATCHALL "(^|\n)[EW]: [^\n]*" faults "${output}")
  if(faults)
    string(REPLACE ";" "" faults "${faults}")
    fail("lintian finds errors or warnings in ${name}:${faults}\n\nAll it said:\n${output}")
  endif()
else()
  message(STATUS "lintian was not found (see tools/setup.sh): the package was not judged by it")
endif()

# The fields, and the control files: the one script reloads the rules; none
# runs at removal, which leaves the users' files as they are.
run(${found_dpkg-deb} --field ${deb} Package Version Architecture Depends)
set(fields "${output}")
foreach(expected "Package: corvanelle-r7" "Version: ${VERSION}" "Architecture: ${architecture}")
  string(FIND "${fields}" "${expected}\n" at)
  if(at EQUAL -1)
    fail("the package's fields lack \"${expected}\":\n${fields}")
  endif()
endforeach()
if(NOT fields MATCHES "Depends: ([^\n]*)")
  fail("the package lists no dependencies:\n${fields}")
endif()
set(depends "${CMAKE_MATCH_1}")
foreach(library libc6 libstdc\\+\\+6 libqt5core5a libqt5gui5 libqt5widgets5 libqt5network5 libqt5dbus5 libudev1
                libxcb1 libxcb-ewmh2 libxcb-xinput0 libxcb-keysyms1)
  if(NOT depends MATCHES "(^|, )${library}( |,|$)")
    fail("Depends lacks ${library}: ${depends}")
  endif()
endforeach()
if(depends MATCHES "lib(a|ub|l|t)san")
  fail("the program was built with a sanitizer: ${depends}")
endif()

file(REMOVE_RECURSE ${BUILD}/control ${BUILD}/root)
run(${found_dpkg-deb} --control ${deb} ${BUILD}/control)
file(GLOB controls RELATIVE ${BUILD}/control ${BUILD}/control/*)
list(SORT controls)
if(NOT controls STREQUAL "control;md5sums;postinst")
  fail("unexpected control files: ${controls}")
endif()
run(${found_dpkg-deb} --info ${deb})
if(NOT output MATCHES "\\* +postinst")
  fail("postinst is not executable:\n${output}")
endif()
file(READ ${BUILD}/control/postinst postinst)
foreach(expected "udevadm control --reload" "udevadm trigger --subsystem-match=hidraw")
  string(FIND "${postinst}" "${expected}" at)
  if(at EQUAL -1)
    fail("postinst does not run \"${expected}\"")
  endif()
endforeach()
run(sh -n ${BUILD}/control/postinst)

# The files. The listing is checked against what the package must hold, and
# the extracted tree for where each leads.
set(program_dir usr/lib/corvanelle-r7)
set(program "${program_dir}/Corvanelle R7 Control Panel")
set(expected
    "${program}"
    usr/bin/corvanelle-r7
    usr/share/applications/corvanelle-r7.desktop
    usr/share/icons/hicolor/128x128/apps/corvanelle-r7.png
    usr/share/doc/corvanelle-r7/copyright
    usr/share/doc/corvanelle-r7/changelog.gz
    usr/share/man/man1/corvanelle-r7.1.gz
    usr/share/metainfo/example.r7panel.corvanelle_r7.metainfo.xml
    usr/share/lintian/overrides/corvanelle-r7
    lib/udev/rules.d/70-corvanelle-r7.rules)
file(GLOB_RECURSE shipped LIST_DIRECTORIES false RELATIVE ${SHIPPED} ${SHIPPED}/*)
foreach(file IN LISTS shipped)
  list(APPEND expected "${program_dir}/${file}")
endforeach()
run(${found_dpkg-deb} --extract ${deb} ${BUILD}/root)
set(root ${BUILD}/root)
file(GLOB_RECURSE held LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
list(SORT held)
list(SORT expected)
if(NOT held STREQUAL expected)
  set(missing ${expected})
  list(REMOVE_ITEM missing ${held})
  set(extra ${held})
  list(REMOVE_ITEM extra ${expected})
  fail("the package's files differ from what it must hold;\nmissing: ${missing}\nnot expected: ${extra}")
endif()

file(READ "${root}/${program}" elf LIMIT 4 HEX)
if(NOT elf STREQUAL "7f454c46")
  fail("${program} is not an executable")
endif()
foreach(file IN LISTS shipped)
  file(SHA256 "${SHIPPED}/${file}" want)
  file(SHA256 "${root}/${program_dir}/${file}" have)
  if(NOT want STREQUAL have)
    fail("${program_dir}/${file} differs from the shipped file")
  endif()
endforeach()
file(SHA256 ${SOURCE}/packaging/70-corvanelle-r7.rules want)
file(SHA256 ${root}/lib/udev/rules.d/70-corvanelle-r7.rules have)
if(NOT want STREQUAL have)
  fail("the packaged udev rule differs from packaging/70-corvanelle-r7.rules")
endif()

if(NOT IS_SYMLINK ${root}/usr/bin/corvanelle-r7)
  fail("usr/bin/corvanelle-r7 is not a link")
endif()
file(READ_SYMLINK ${root}/usr/bin/corvanelle-r7 target)
if(NOT target STREQUAL "../lib/corvanelle-r7/Corvanelle R7 Control Panel")
  fail("usr/bin/corvanelle-r7 leads to ${target}")
endif()

set(entry ${root}/usr/share/applications/corvanelle-r7.desktop)
if(NOT EXISTS "${VALIDATE}")
  fail("desktop-file-validate was not found (package desktop-file-utils, see tools/setup.sh)")
endif()
run(${VALIDATE} ${entry})
if(NOT output STREQUAL "")
  fail("desktop-file-validate: ${output}")
endif()
file(STRINGS ${entry} exec REGEX "^(Try)?Exec=")
if(NOT exec STREQUAL "TryExec=/usr/bin/corvanelle-r7;Exec=/usr/bin/corvanelle-r7")
  fail("the packaged desktop entry tries and runs ${exec}, not /usr/bin/corvanelle-r7")
endif()

# The changelog's newest entry is this version's.
execute_process(COMMAND ${found_gzip} -dc ${root}/usr/share/doc/corvanelle-r7/changelog.gz
                RESULT_VARIABLE result OUTPUT_VARIABLE changelog ERROR_VARIABLE changelog)
if(NOT result EQUAL 0 OR NOT changelog MATCHES "^corvanelle-r7 \\(([^)]*)\\)")
  fail("the packaged changelog cannot be read (${result}):\n${changelog}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  fail("the packaged changelog's newest entry is for ${CMAKE_MATCH_1}, not ${VERSION}")
endif()

# The catalogue's entry declares each mouse the udev rule matches by its
# modalias, and no device the rule leaves out.
set(metainfo ${root}/usr/share/metainfo/example.r7panel.corvanelle_r7.metainfo.xml)
find_program(found_appstreamcli appstreamcli)
if(found_appstreamcli)
  run(${found_appstreamcli} validate --no-net ${metainfo})
else()
  message(STATUS "appstreamcli was not found (see tools/setup.sh): the catalogue's entry was not validated")
endif()
file(READ ${metainfo} catalogue)
string(REGEX MATCHALL "<modalias>[^<]*</modalias>" declared "${catalogue}")
list(TRANSFORM declared REPLACE "</?modalias>" "")
file(STRINGS ${SOURCE}/packaging/70-corvanelle-r7.rules rules REGEX "^[^#]")
set(allowed "")
foreach(rule IN LISTS rules)
  if(rule MATCHES "ATTRS{modalias}==\"([^\"]*)\"")
    string(REPLACE "|" ";" mice "${CMAKE_MATCH_1}")
    foreach(mouse IN LISTS mice)
      string(REGEX REPLACE "d\\*.*" "d*" mouse "${mouse}")
      if(NOT mouse IN_LIST declared)
        list(JOIN declared ", " shown)
        fail("the catalogue's entry does not declare ${mouse} of the udev rule (it declares ${shown})")
      endif()
      list(APPEND allowed ${mouse})
    endforeach()
  elseif(rule MATCHES "ATTRS{idVendor}==\"([0-9a-f]+)\", ATTRS{idProduct}==\"([0-9a-f]+)\"")
    string(TOUPPER "${CMAKE_MATCH_1}" vendor)
    string(TOUPPER "${CMAKE_MATCH_2}" product)
    list(APPEND allowed "usb:v${vendor}p${product}d*")
  endif()
endforeach()
foreach(alias IN LISTS declared)
  if(NOT alias IN_LIST allowed)
    fail("the catalogue's entry declares ${alias}, which the udev rule does not match")
  endif()
endforeach()
file(REMOVE_RECURSE ${BUILD}/control ${BUILD}/root)
