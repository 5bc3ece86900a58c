# What `cmake --install` puts below the prefix, the CMake package Dnovar (find_package(Dnovar),
# Dnovar::Widgets) and the Debian package (`cpack -G DEB`). Every path installed is relative to
# the prefix, so a prefix can be moved or packaged as a whole.
include(CMakePackageConfigHelpers)

# The relative path from install folder `from` to install folder `to`, either relative to the
# prefix or absolute.
function(dnovar_relative_install_path out from to)
  cmake_path(ABSOLUTE_PATH from BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX})
  cmake_path(ABSOLUTE_PATH to BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX})
  file(RELATIVE_PATH relative ${from} ${to})
  set(${out} ${relative} PARENT_SCOPE)
endfunction()

install(TARGETS dnovar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS dnovar_control_module LIBRARY DESTINATION ${DNOVAR_MODULE_INSTALL_DIR})
set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/dnovar)
install(FILES README.md DESTINATION ${doc_dir})
install(DIRECTORY docs/ DESTINATION ${doc_dir})

if(TARGET dnovar_widgets)
  set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Dnovar)
  install(TARGETS dnovar-container RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(TARGETS dnovar_widgets EXPORT DnovarTargets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} FILE_SET HEADERS
                  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  install(EXPORT DnovarTargets NAMESPACE Dnovar:: DESTINATION ${config_dir})
  configure_package_config_file(
    ${CMAKE_CURRENT_LIST_DIR}/DnovarConfig.cmake.in ${PROJECT_BINARY_DIR}/DnovarConfig.cmake
    INSTALL_DESTINATION ${config_dir})
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/DnovarConfigVersion.cmake
                                   COMPATIBILITY SameMajorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/DnovarConfig.cmake
                ${PROJECT_BINARY_DIR}/DnovarConfigVersion.cmake DESTINATION ${config_dir})
endif()

if(TARGET dnovar_designer_plugin)
  # Qt's own folder of Designer plugins, below our prefix; the plugin finds dnovar-widgets by
  # its path relative to itself.
  set(designer_dir ${QT6_INSTALL_PLUGINS}/designer)
  dnovar_relative_install_path(widgets_from_plugin ${designer_dir} ${CMAKE_INSTALL_LIBDIR})
  set_target_properties(dnovar_designer_plugin PROPERTIES INSTALL_RPATH
                                                          "$ORIGIN/${widgets_from_plugin}")
  install(TARGETS dnovar_designer_plugin LIBRARY DESTINATION ${designer_dir})
endif()

set(CPACK_PACKAGE_NAME dnovar)
set(CPACK_PACKAGE_VENDOR "Dnovar")
set(CPACK_PACKAGE_CONTACT "Dnovar developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Czech month-calendar control: Qt widget, Designer plugin, test container, command line")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# find_package(Dnovar) needs Qt's development files; the programs and the library do not.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-base-dev, qt6-tools-dev")
include(CPack)
