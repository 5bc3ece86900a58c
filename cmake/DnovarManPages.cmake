# Manual pages of the programs (section 1), made by help2man from their --help and --version when
# it is found (Debian: help2man). The programs run at build time: not in a cross build, nor in a
# sanitizer build, whose runtime may report at exit.
find_program(DNOVAR_HELP2MAN help2man)
if(NOT DNOVAR_HELP2MAN OR CMAKE_CROSSCOMPILING OR CMAKE_CXX_FLAGS MATCHES "sanitize")
  return()
endif()
set(man_name_dnovar "command line of the Dnovar calendar control")
set(man_name_dnovar-container "window hosting the Dnovar calendar control")
set(man_pages)
foreach(program dnovar dnovar-container)
  if(NOT TARGET ${program})
    continue()
  endif()
  set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${DNOVAR_HELP2MAN} --no-info --name
            ${man_name_${program}} --output ${page} $<TARGET_FILE:${program}>
    COMMAND gzip -9nf ${page}
    DEPENDS ${program}
    COMMENT "Writing the manual page of ${program}")
  list(APPEND man_pages ${page}.gz)
endforeach()
add_custom_target(dnovar_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tools)
