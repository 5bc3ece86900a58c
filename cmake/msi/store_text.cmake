# Sets the rows that hold text outside ASCII in an installer wixl wrote (wixl stores no such text):
# gives the database the code page Windows-1250, then runs each UPDATE of UPDATES with msibuild.
#   cmake -DMSIBUILD=msibuild -DMSI=FILE.msi -DUPDATES=registry-text.sql -P store_text.cmake
file(STRINGS ${UPDATES} updates ENCODING UTF-8)
if(NOT updates)
  return()
endif()
get_filename_component(folder ${UPDATES} DIRECTORY)
file(WRITE ${folder}/_ForceCodepage.idt "\r\n\r\n1250\t_ForceCodepage\r\n")
set(queries)
foreach(update IN LISTS updates)
  list(APPEND queries -q "${update}")
endforeach()
execute_process(COMMAND ${MSIBUILD} ${MSI} -i ${folder}/_ForceCodepage.idt ${queries}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${MSI})
  message(FATAL_ERROR "msibuild could not store the text of ${MSI}")
endif()
