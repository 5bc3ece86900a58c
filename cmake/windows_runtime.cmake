# The compiler's DLLs the i686 build links against (its toolchain file says why), named by
# DNOVAR_RUNTIME_DLLS for the installers. Windows looks for a program's DLLs in the program's
# folder first, and COM loads an in-process server with its own folder searched: each is copied
# into every folder the build writes a program or a module to, so that the programs, the tests and
# any host of dnovar.ocx find them there, as they find the installed ones beside the installed
# files (dnovar_runtime_beside_every_target, called once every target is defined). The x86_64
# build links everything in and needs none: the list stays empty.
set(DNOVAR_RUNTIME_DLLS)
if(NOT WIN32 OR NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
  return()
endif()

foreach(dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE path
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  # Not found, the compiler echoes the bare name.
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no ${dll}")
  endif()
  cmake_path(NORMAL_PATH path)
  list(APPEND DNOVAR_RUNTIME_DLLS ${path})
endforeach()

function(dnovar_targets_below folder out)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder ${subfolders})
    dnovar_targets_below(${subfolder} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# One copy per folder, made before anything there is linked (a program may run at build time), by
# one rule: targets building side by side never write the same file at once.
function(dnovar_runtime_beside target)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "MODULE_LIBRARY")
    get_target_property(folder ${target} LIBRARY_OUTPUT_DIRECTORY)
  elseif(type STREQUAL "EXECUTABLE" OR type STREQUAL "SHARED_LIBRARY")
    get_target_property(folder ${target} RUNTIME_OUTPUT_DIRECTORY)
  else()
    return()
  endif()
  if(NOT folder)
    get_target_property(folder ${target} BINARY_DIR)
  endif()
  string(SHA1 folder_id ${folder})
  string(SUBSTRING ${folder_id} 0 12 folder_id)
  set(copy dnovar_runtime_${folder_id})
  if(NOT TARGET ${copy})
    set(copies)
    foreach(dll ${DNOVAR_RUNTIME_DLLS})
      cmake_path(GET dll FILENAME name)
      list(APPEND copies ${folder}/${name})
    endforeach()
    add_custom_command(
      OUTPUT ${copies}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${CMAKE_COMMAND} -E copy ${DNOVAR_RUNTIME_DLLS} ${folder}
      DEPENDS ${DNOVAR_RUNTIME_DLLS})
    add_custom_target(${copy} DEPENDS ${copies})
  endif()
  add_dependencies(${target} ${copy})
endfunction()

function(dnovar_runtime_beside_every_target)
  dnovar_targets_below(${PROJECT_SOURCE_DIR} targets)
  foreach(target ${targets})
    dnovar_runtime_beside(${target})
  endforeach()
endfunction()
