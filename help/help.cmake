# Help.chm beside dpx.exe, compiled from the pages in this folder with chmcmd (Debian: fp-utils)
# by compile-chm, on Linux. Elsewhere, or without chmcmd, dpx.exe is built all the same, without
# its help (the portable zip has it).
find_program(DPX_CHMCMD chmcmd)
if(NOT DPX_CHMCMD OR NOT CMAKE_HOST_UNIX)
  message(WARNING "Help.chm is not built here (it needs chmcmd on Linux)")
  return()
endif()
file(GLOB DPX_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.html
     ${CMAKE_CURRENT_LIST_DIR}/*.css ${CMAKE_CURRENT_LIST_DIR}/Help.hhp
     ${CMAKE_CURRENT_LIST_DIR}/Help.hhc)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/Help.chm
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/compile-chm ${CMAKE_BINARY_DIR}/Help.chm
  DEPENDS ${DPX_HELP_SOURCES} ${CMAKE_CURRENT_LIST_DIR}/compile-chm
  COMMENT "Compiling Help.chm")
add_custom_target(dpx_help ALL DEPENDS ${CMAKE_BINARY_DIR}/Help.chm)
