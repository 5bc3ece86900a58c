# `cpack -G DEB`: the install split as Debian splits a library, one package per component
# (cmake/DnovarInstall.cmake):
#   libdnovar-widgets1      library      the shared library and the component module
#   libdnovar-dev           development  header, CMake package, the unversioned link
#   dnovar-tools            tools        dnovar, dnovar-container
#   dnovar-designer-plugin  designer     the Qt Designer plugin
# Each package's Depends is what dpkg-shlibdeps finds its own files need, plus the packages of ours
# that it uses, in the same version: the library does not need Qt Test because a tool links it.
# Each carries the licence as its copyright file and a changelog; the library its shlibs and the
# ldconfig trigger.
set(DNOVAR_PACKAGE_MAINTAINER
    "Dnovar developers <maintainers@users.noreply.c-seed-e9e4fcf0.example>"
    CACHE STRING "The Debian packages' Maintainer: a name and a mail address")

set(package_library libdnovar-widgets1)
set(package_development libdnovar-dev)
set(package_tools dnovar-tools)
set(package_designer dnovar-designer-plugin)

set(components)
if(TARGET dnovar_widgets OR TARGET dnovar_control_module)
  list(APPEND components library)
endif()
if(TARGET dnovar_widgets)
  list(APPEND components development)
endif()
if(TARGET dnovar)
  list(APPEND components tools)
endif()
if(TARGET dnovar_designer_plugin)
  list(APPEND components designer)
endif()

# The copyright file, in Debian's machine-readable format, around the text of LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" ignored "${licence}")
set(copyright_holder ${CMAKE_MATCH_1})
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]*\n\n" "" licence_terms "${licence}")
string(REGEX REPLACE "\n+$" "" licence_terms "${licence_terms}")
string(REPLACE "\n\n" "\n.\n" licence_terms "${licence_terms}")
string(REPLACE "\n" "\n " licence_terms " ${licence_terms}")
set(debian_dir ${PROJECT_BINARY_DIR}/debian)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/copyright.in ${debian_dir}/copyright @ONLY)

# The changelog of a native package (its version has no Debian revision): changelog.gz.
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${debian_dir}/changelog @ONLY)
execute_process(COMMAND gzip -9nf ${debian_dir}/changelog)
file(WRITE ${debian_dir}/triggers "activate-noawait ldconfig\n")

foreach(component IN LISTS components)
  # Packaging only: a plain `cmake --install` has the licence in share/doc/dnovar.
  install(
    FILES ${debian_dir}/copyright ${debian_dir}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package_${component}}
    COMPONENT ${component}
    EXCLUDE_FROM_ALL)
  string(TOUPPER ${component} name)
  set(CPACK_DEBIAN_${name}_PACKAGE_NAME ${package_${component}})
endforeach()

set(CPACK_COMPONENTS_ALL ${components})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_PACKAGE_NAME dnovar)
set(CPACK_PACKAGE_VENDOR "Dnovar")
set(CPACK_PACKAGE_CONTACT ${DNOVAR_PACKAGE_MAINTAINER})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# A component's DEPENDS become Depends on the same version of those packages.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${debian_dir}/triggers)
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION
    "Czech month-calendar control - Qt 6 widget library
Dnovar shows one month as a grid whose columns are weeks, marks the Czech
public holidays in bold and lets the user paint an interval of days with
the mouse.

This package holds the shared library with dnovar::CalendarWidget, the
control as a Qt 6 widget, and the control's component module, from which
the Dnovar programs create it.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS library)
# find_package(Dnovar) needs Qt 6 Widgets' development files, which Debian ships in
# qt6-base-dev together with Qt Test and the rest of Qt's base: suggested, not required.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SUGGESTS "qt6-base-dev, ${package_designer}")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "Czech month-calendar control - development files
Dnovar shows one month as a grid whose columns are weeks, marks the Czech
public holidays in bold and lets the user paint an interval of days with
the mouse.

This package holds the header <dnovar/calendar_widget.h> and the CMake
package Dnovar: find_package(Dnovar) gives the target Dnovar::Widgets.
It needs Qt 6 Widgets' development files (qt6-base-dev).")

set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
set(CPACK_COMPONENT_TOOLS_DEPENDS library)
set(CPACK_DEBIAN_TOOLS_DESCRIPTION
    "Czech month-calendar control - programs
Dnovar shows one month as a grid whose columns are weeks, marks the Czech
public holidays in bold and lets the user paint an interval of days with
the mouse.

This package holds dnovar-container, a window hosting the control beside
its properties, methods and events, with property-bag files, and dnovar,
the command line: scripts of host actions and user input, pictures of the
control, registration, the type library and date arithmetic.")

set(CPACK_DEBIAN_DESIGNER_PACKAGE_SECTION devel)
set(CPACK_COMPONENT_DESIGNER_DEPENDS library)
# dpkg-shlibdeps reads what the plugin needs from the libraries it links, ours among them: the one
# built here (the package depends on the library's package through the line above).
if(TARGET dnovar_widgets)
  get_target_property(widgets_dir dnovar_widgets BINARY_DIR)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${widgets_dir})
endif()
set(CPACK_DEBIAN_DESIGNER_PACKAGE_ENHANCES designer-qt6)
set(CPACK_DEBIAN_DESIGNER_DESCRIPTION
    "Czech month-calendar control - Qt Designer plugin
Dnovar shows one month as a grid whose columns are weeks, marks the Czech
public holidays in bold and lets the user paint an interval of days with
the mouse.

This package holds the plugin that offers dnovar::CalendarWidget in Qt
Designer's widget box, with its properties.")

include(CPack)
