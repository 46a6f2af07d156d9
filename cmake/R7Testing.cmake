# r7_add_qtest(<name> SOURCES <files...> [LIBS <libs...>] [ENV <VAR=value...>]
#              [WRAPPER <command...>])
# Builds one QtTest executable and registers it with CTest. Each run gets a new
# temporary HOME, XDG folders and TMPDIR (tests/support/isolated.sh) and the
# offscreen platform, so no test touches the real user's files or display.
# WRAPPER runs the test through that command inside the fresh home, such as
# umockdev-wrapper, which preloads its library; a preloaded library comes
# before the sanitizer runtime, so AddressSanitizer's check that it is loaded
# first is off for these tests.
set(R7_ISOLATE ${CMAKE_SOURCE_DIR}/tests/support/isolated.sh)
set(R7_LSAN_SUPPRESSIONS ${CMAKE_SOURCE_DIR}/tests/support/lsan.supp)

function(r7_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV;WRAPPER" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  r7_warnings(${name})
  add_test(NAME ${name} COMMAND ${R7_ISOLATE} ${ARG_WRAPPER} $<TARGET_FILE:${name}>)
  # Allocation stacks come from the sanitizer's default frame-pointer unwinder:
  # the DWARF one (fast_unwind_on_malloc=0) made the widget tests fifteen times
  # slower, near their time limit on a loaded machine, and the leak check and
  # its suppressions need no more.
  set(asan_options detect_leaks=1:strict_string_checks=1)
  if(ARG_WRAPPER)
    string(APPEND asan_options :verify_asan_link_order=0)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=${asan_options};LSAN_OPTIONS=suppressions=${R7_LSAN_SUPPRESSIONS}:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1;${ARG_ENV}")
endfunction()
