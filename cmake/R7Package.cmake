# The Debian package: "cpack -G DEB" in a release build folder (./package.sh)
# makes corvanelle-r7_<version>_<architecture>.deb of everything
# "cmake --install" puts in place, the udev rule included, under /usr.
# It also holds the copyright, the changelog and the manual page under
# /usr/share, and the software catalogue's entry (packaging/CMakeLists.txt).
# The Maintainer field, a name and a mail address, as the changelog's entries
# and the copyright name the project.
set(R7_PACKAGE_MAINTAINER "Corvanelle R7 Control Panel developers <r7-panel@r7panel.example>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvanelle-r7)
set(CPACK_PACKAGE_VENDOR Corvanelle)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Control panel of the Corvanelle R7 programmable mice")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Sits in the tray, finds the mouse over USB HID and maps its buttons,\n"
  "force-sensing buttons, tilt, scroll and movement to sequences of keys,\n"
  "clicks, joystick outputs, vibration, lights and profile changes, then\n"
  "uploads those profiles into the mouse. Switches profiles by the\n"
  "application in the foreground.")
# Four parts, as project() has it.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The package generator installs with this prefix, staged through DESTDIR:
# the desktop entry names the command under /usr, and the udev rule's
# absolute folder lands in the package, not on the building machine.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${R7_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The dependencies: dpkg-shlibdeps on the program's shared libraries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
