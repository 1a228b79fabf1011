# What `cmake --install` puts in a prefix for component writers: the formwright program, the
# headers of every layer a design package may include, the interface target formwright::package
# and a pkg-config file. find_package(formwright CONFIG) then builds a design package out of tree.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# Kept in step with DesignPackageAPIVersion (contracts/PackageEntry.h).
file(STRINGS ${PROJECT_SOURCE_DIR}/contracts/PackageEntry.h fw_api_line
     REGEX "DesignPackageAPIVersion = [0-9]+")
string(REGEX MATCH "[0-9]+" FW_PACKAGE_API_VERSION "${fw_api_line}")

install(DIRECTORY platform symbols templates processes contracts editors formdesigner moduledesigner host
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/formwright
        FILES_MATCHING PATTERN "*.h")
install(TARGETS formwright fw_package EXPORT formwrightTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(EXPORT formwrightTargets NAMESPACE formwright::
        DESTINATION lib/cmake/formwright)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/formwrightConfig.cmake.in
  ${PROJECT_BINARY_DIR}/formwrightConfig.cmake
  INSTALL_DESTINATION lib/cmake/formwright)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/formwrightConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
configure_file(${PROJECT_SOURCE_DIR}/cmake/formwright.pc.in ${PROJECT_BINARY_DIR}/formwright.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/formwrightConfig.cmake ${PROJECT_BINARY_DIR}/formwrightConfigVersion.cmake
        DESTINATION lib/cmake/formwright)
install(FILES ${PROJECT_BINARY_DIR}/formwright.pc DESTINATION lib/pkgconfig)
