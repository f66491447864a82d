# The Debian package odbdiff (make package): everything `cmake --install`
# puts in place, under /usr, with the runtime dependencies that
# dpkg-shlibdeps finds in the programs and libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME odbdiff)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The odbdiff developers")
set(CPACK_PACKAGE_CONTACT "The odbdiff developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compare object files with the diff module")
# The long description, in lines of Debian's usual width.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "odbdiff compares two object files, or two projects of them, with the diff"
  "module, writes text, HTML and JSON reports of their differences, and"
  "converts object files to and from a JSON form. The package holds the"
  "module, the host libraries it calls, their headers with a CMake package"
  "and a pkg-config file, the Python module odbdiff, the default HTML report"
  "template, the manual page, bash completion and the documentation.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(DIFF_BUILD_PYTHON)
  # The Python module odbdiff, for the one Python it is built for; pandas
  # serves Comparison.to_records.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS ${ODBDIFF_PYTHON_DEPENDS})
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS python3-pandas)
  set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebianPythonPlace.cmake)
endif()
include(CPack)
