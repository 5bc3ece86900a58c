# What `cmake --install` puts below the prefix, and the CMake package Dnovar (find_package(Dnovar),
# Dnovar::Widgets). Every path installed is relative to the prefix, so a prefix can be moved or
# packaged as a whole. Each file belongs to one component, and each component is one Debian package
# (cmake/DnovarDebian.cmake):
#   library      the shared library dnovar-widgets (its versioned files) and the component module
#   development  the header, the CMake package and the unversioned link to the library
#   tools        dnovar, dnovar-container, their manual pages and documentation
#   designer     the Qt Designer plugin
include(CMakePackageConfigHelpers)

# The relative path from install folder `from` to install folder `to`, either relative to the
# prefix or absolute.
function(dnovar_relative_install_path out from to)
  cmake_path(ABSOLUTE_PATH from BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX})
  cmake_path(ABSOLUTE_PATH to BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX})
  file(RELATIVE_PATH relative ${from} ${to})
  set(${out} ${relative} PARENT_SCOPE)
endfunction()

set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/dnovar)
if(TARGET dnovar)
  set(documentation_component tools)
  install(TARGETS dnovar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tools)
else()
  set(documentation_component development)
endif()
if(TARGET dnovar-container)
  install(TARGETS dnovar-container RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tools)
endif()
if(TARGET dnovar_control_module)
  install(TARGETS dnovar_control_module LIBRARY DESTINATION ${DNOVAR_MODULE_INSTALL_DIR}
                                                COMPONENT library)
endif()
# The compiler's DLLs of the i686 build (cmake/windows_runtime.cmake), beside the programs and the
# module, which all need them.
if(DNOVAR_RUNTIME_DLLS AND TARGET dnovar_control_module)
  install(FILES ${DNOVAR_RUNTIME_DLLS} DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT library)
endif()
install(FILES README.md LICENSE DESTINATION ${doc_dir} COMPONENT ${documentation_component})
include(${CMAKE_CURRENT_LIST_DIR}/DnovarManPages.cmake)
install(DIRECTORY docs/ DESTINATION ${doc_dir} COMPONENT ${documentation_component})

if(TARGET dnovar_widgets)
  set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Dnovar)
  install(
    TARGETS dnovar_widgets
    EXPORT DnovarTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
            COMPONENT library
            NAMELINK_COMPONENT development
            FILE_SET HEADERS
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
            COMPONENT development)
  install(
    EXPORT DnovarTargets
    NAMESPACE Dnovar::
    DESTINATION ${config_dir}
    COMPONENT development)
  configure_package_config_file(
    ${CMAKE_CURRENT_LIST_DIR}/DnovarConfig.cmake.in ${PROJECT_BINARY_DIR}/DnovarConfig.cmake
    INSTALL_DESTINATION ${config_dir})
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/DnovarConfigVersion.cmake
                                   COMPATIBILITY SameMajorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/DnovarConfig.cmake
                ${PROJECT_BINARY_DIR}/DnovarConfigVersion.cmake DESTINATION ${config_dir}
          COMPONENT development)
endif()

if(TARGET dnovar_designer_plugin)
  # Qt's own folder of Designer plugins, below our prefix; the plugin finds dnovar-widgets by
  # its path relative to itself.
  set(designer_dir ${QT6_INSTALL_PLUGINS}/designer)
  dnovar_relative_install_path(widgets_from_plugin ${designer_dir} ${CMAKE_INSTALL_LIBDIR})
  set_target_properties(dnovar_designer_plugin PROPERTIES INSTALL_RPATH
                                                          "$ORIGIN/${widgets_from_plugin}")
  install(TARGETS dnovar_designer_plugin LIBRARY DESTINATION ${designer_dir} COMPONENT designer)
  # Below /usr (a system's package) the library is in the system's library folder, where every
  # program finds it: a search path of our own there would only shadow the system's choice.
  install(
    CODE "
    if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
      file(RPATH_REMOVE FILE
           \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${designer_dir}/$<TARGET_FILE_NAME:dnovar_designer_plugin>\")
    endif()"
    COMPONENT designer)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/DnovarDebian.cmake)
