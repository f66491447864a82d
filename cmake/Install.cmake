# Installs the module, the stand-in host libraries and their headers, with a
# CMake package (find_package(diff)) and a pkg-config file (diff.pc).
include(CMakePackageConfigHelpers)

install(TARGETS diff_host_api rovivar zozavi zavo32 diff
        EXPORT diffTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES diff/include/diff/diff.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/diff)
install(DIRECTORY diff/host/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/diff/host
        FILES_MATCHING PATTERN "*.h")
install(EXPORT diffTargets NAMESPACE diff:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/diff)

configure_package_config_file(cmake/diffConfig.cmake.in
  ${PROJECT_BINARY_DIR}/diffConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/diff)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/diffConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/diffConfig.cmake ${PROJECT_BINARY_DIR}/diffConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/diff)

# diff.pc names the prefix by its way up from the pkgconfig folder.
file(RELATIVE_PATH pc_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
configure_file(cmake/diff.pc.in ${PROJECT_BINARY_DIR}/diff.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/diff.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
