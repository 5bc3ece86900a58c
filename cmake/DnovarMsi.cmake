# The Windows installer: dnovar-<version>-x64.msi from the x86_64 build, -x86.msi from the i686
# one, made with wixl and msibuild (Debian: wixl, msitools) when they are found. It installs
# dnovar.ocx, dnovar.exe with the component module, dnovar-container.exe, the licence and the
# compiler's DLLs the i686 build needs into Program Files\Dnovar, and registers the control
# through its own Registry table: the keys DllRegisterServer writes, taken from the same list
# (registration_values) by dnovar-installer-tables, a Windows program run at build time (under
# Wine here). Nothing is self-registered; uninstalling removes what installing wrote.
find_program(DNOVAR_WIXL wixl)
find_program(DNOVAR_MSIBUILD msibuild)
if(NOT DNOVAR_WIXL
   OR NOT DNOVAR_MSIBUILD
   OR NOT TARGET dnovar_ocx
   OR NOT TARGET dnovar
   OR NOT TARGET dnovar-container-win32)
  message(STATUS "No wixl or msibuild (Debian: wixl, msitools): the installer is left out")
  return()
endif()

add_executable(dnovar_installer_tables
               ${PROJECT_SOURCE_DIR}/host/activex/tools/write_installer_tables.cpp)
target_link_libraries(dnovar_installer_tables PRIVATE dnovar_activex)
set_target_properties(dnovar_installer_tables PROPERTIES OUTPUT_NAME dnovar-installer-tables)
# As with the resource writer: another build's program, for a 32-bit build on a machine whose
# Wine runs only 64-bit programs. It writes the tables of either bitness.
set(DNOVAR_INSTALLER_TABLES_WRITER ""
    CACHE FILEPATH "A dnovar-installer-tables.exe to run instead of this build's")
if(DNOVAR_INSTALLER_TABLES_WRITER)
  set(tables_writer ${DNOVAR_INSTALLER_TABLES_WRITER})
else()
  set(tables_writer $<TARGET_FILE:dnovar_installer_tables>)
endif()

# Each architecture is a product of its own, upgraded in place by the next version.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(msi_arch x64)
  set(msi_system win64)
  set(msi_program_files ProgramFiles64Folder)
  set(msi_win64 yes)
  set(msi_upgrade_code 3E7B28F2-4584-4FBB-882F-533A10FF38DC)
else()
  set(msi_arch x86)
  set(msi_system win32)
  set(msi_program_files ProgramFilesFolder)
  set(msi_win64 no)
  set(msi_upgrade_code 918FC125-755D-4BC9-AE62-A9EBC3724E58)
endif()

# wixl takes the files by paths relative to the folder it runs in: they are gathered there.
set(msi_dir ${PROJECT_BINARY_DIR}/msi)
set(msi_registry registry.wxi)
set(msi_files $<TARGET_FILE:dnovar_ocx> $<TARGET_FILE:dnovar> $<TARGET_FILE:dnovar_control_module>
              $<TARGET_FILE:dnovar-container-win32> ${DNOVAR_RUNTIME_DLLS})
# The compiler's DLLs of the i686 build (cmake/windows_runtime.cmake), beside the control and the
# programs that need them; one component each.
set(msi_runtime_components)
set(msi_runtime_references)
foreach(dll ${DNOVAR_RUNTIME_DLLS})
  cmake_path(GET dll FILENAME name)
  string(MAKE_C_IDENTIFIER ${name} id)
  string(APPEND msi_runtime_components
         "          <Component Id=\"${id}\" Guid=\"*\" Win64=\"${msi_win64}\">\n"
         "            <File Id=\"${id}\" Source=\"files/${name}\" KeyPath=\"yes\"/>\n"
         "          </Component>\n")
  string(APPEND msi_runtime_references "      <ComponentRef Id=\"${id}\"/>\n")
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/msi/dnovar.wxs.in ${msi_dir}/dnovar.wxs @ONLY)

add_custom_command(
  OUTPUT ${msi_dir}/${msi_registry} ${msi_dir}/registry-text.sql
  COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${tables_writer} ${msi_dir} ${msi_system} dnovar.ocx
          INSTALLDIR
  DEPENDS dnovar_installer_tables ${DNOVAR_INSTALLER_TABLES_WRITER}
  COMMENT "Writing the installer's registry table from the control's registration")
set(DNOVAR_MSI ${PROJECT_BINARY_DIR}/dnovar-${PROJECT_VERSION}-${msi_arch}.msi)
add_custom_command(
  OUTPUT ${DNOVAR_MSI}
  COMMAND ${CMAKE_COMMAND} -E make_directory files
  COMMAND ${CMAKE_COMMAND} -E copy ${msi_files} files
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE files/LICENSE.txt
  COMMAND ${DNOVAR_WIXL} --arch ${msi_arch} -o ${DNOVAR_MSI} dnovar.wxs
  COMMAND ${CMAKE_COMMAND} -DMSIBUILD=${DNOVAR_MSIBUILD} -DMSI=${DNOVAR_MSI}
          -DUPDATES=${msi_dir}/registry-text.sql -P ${CMAKE_CURRENT_LIST_DIR}/msi/store_text.cmake
  WORKING_DIRECTORY ${msi_dir}
  DEPENDS ${msi_dir}/dnovar.wxs ${msi_dir}/${msi_registry} ${msi_dir}/registry-text.sql
          ${CMAKE_CURRENT_LIST_DIR}/msi/store_text.cmake ${PROJECT_SOURCE_DIR}/LICENSE dnovar_ocx
          dnovar dnovar_control_module dnovar-container-win32
  COMMENT "Writing the installer dnovar-${PROJECT_VERSION}-${msi_arch}.msi")
add_custom_target(dnovar_msi ALL DEPENDS ${DNOVAR_MSI})
