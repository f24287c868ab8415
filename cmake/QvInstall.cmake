# Installs the library, its public headers under include/quorvane/ and a find_package() config.
# Headers in an internal/ folder (the stand-ins' session state, a folder's private helpers) are
# the library's own and are not installed; no public header includes one.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QV_INSTALLED_TARGETS quorvane)
if(TARGET qv_sqlite3)
  list(APPEND QV_INSTALLED_TARGETS qv_sqlite3)
endif()
install(TARGETS ${QV_INSTALLED_TARGETS} EXPORT quorvaneTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorvane)
# platform/win/sdk/ forwards to the real SDK in the Windows build only.
set(QV_NOT_INSTALLED PATTERN "internal" EXCLUDE)
if(NOT WIN32)
  list(APPEND QV_NOT_INSTALLED PATTERN "sdk" EXCLUDE)
endif()
install(DIRECTORY src/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorvane
  FILES_MATCHING PATTERN "*.h" ${QV_NOT_INSTALLED})
install(EXPORT quorvaneTargets NAMESPACE quorvane::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/quorvane)

configure_package_config_file(cmake/quorvaneConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/quorvaneConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/quorvane)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/quorvaneConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quorvaneConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/quorvaneConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/quorvane)

# The family's LISP folder: the dialog definitions the library's dialogs load.
install(DIRECTORY lisp/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvane/lisp)
