# `cpack -G DEB` (make package): one Debian package of what `cmake --install`
# puts under /usr, with the Debian files a package needs added to its staged
# tree (cmake/DebianStaging.cmake).
# Packaging takes the programs as built (make package builds them first)
# instead of building every target, tests included, in one job.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quill)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Quill developers <quill-dev@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "call composer for documented peripheral libraries")
set(CPACK_PACKAGE_DESCRIPTION
    "Quill lists the functions of a peripheral library (C headers documented in\n"
    "their C sources, or assembler sources announcing C prototypes), shows a\n"
    "function's documentation block, offers the documented values of each\n"
    "parameter and puts the composed call text on the clipboard.\n"
    "\n"
    "quill-cli does the same from a terminal, checks a library's documentation,\n"
    "and serves the documented values to editors as a language server.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps; Qt loads its
# platform plugins at run time, so the window needs them named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Help opens in the desktop's default browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

# The package's own changelog names the version it belongs to.
set(CPACK_QUILL_COPYRIGHT ${CMAKE_CURRENT_SOURCE_DIR}/resources/debian/copyright)
set(CPACK_QUILL_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/resources/debian/changelog.in
               ${CPACK_QUILL_CHANGELOG} @ONLY)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/DebianStaging.cmake)

include(CPack)
