# Help.chm beside dpx.exe, compiled from the pages in this folder with chmcmd (Debian: fp-utils).
# The project is copied first: chmcmd writes its output next to the project file. On Windows,
# chmcmd comes with Free Pascal; without it dpx.exe is built all the same, without its help.
find_program(DPX_CHMCMD chmcmd)
if(NOT DPX_CHMCMD)
  message(WARNING "chmcmd not found: Help.chm is not built")
  return()
endif()
file(GLOB DPX_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.html
     ${CMAKE_CURRENT_LIST_DIR}/*.css ${CMAKE_CURRENT_LIST_DIR}/Help.hhp
     ${CMAKE_CURRENT_LIST_DIR}/Help.hhc)
set(DPX_HELP_WORK ${CMAKE_BINARY_DIR}/help-project)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/Help.chm
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${DPX_HELP_WORK}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DPX_HELP_WORK}
  COMMAND ${CMAKE_COMMAND} -E copy ${DPX_HELP_SOURCES} ${DPX_HELP_WORK}
  COMMAND ${CMAKE_COMMAND} -E chdir ${DPX_HELP_WORK} ${DPX_CHMCMD} --no-html-scan Help.hhp
          > ${DPX_HELP_WORK}/chmcmd.log
  COMMAND ${CMAKE_COMMAND} -E copy ${DPX_HELP_WORK}/Help.chm ${CMAKE_BINARY_DIR}/Help.chm
  DEPENDS ${DPX_HELP_SOURCES}
  COMMENT "Compiling Help.chm")
add_custom_target(dpx_help ALL DEPENDS ${CMAKE_BINARY_DIR}/Help.chm)
