# Writes the page template with the icons as base64 data and the window's title as the core
# holds it, so that the page shows it from the start instead of writing it before it is ready
# (the page still writes the core's title should the two ever differ):
# cmake -DTEMPLATE=... -DICON_SVG=... -DICON_PNG=... -DLAYOUT=core/layout.h -DOUTPUT=... -P fill_template.cmake
find_program(BASE64 base64 REQUIRED)
foreach(icon SVG PNG)
  execute_process(COMMAND ${BASE64} -w0 ${ICON_${icon}} OUTPUT_VARIABLE ICON_${icon}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(STRINGS ${LAYOUT} title_line REGEX "kWindowTitle = \"")
if(NOT title_line MATCHES "kWindowTitle = \"([^\"<&]*)\"")
  message(FATAL_ERROR "${LAYOUT}: no kWindowTitle of plain text found for the page's title")
endif()
set(WINDOW_TITLE "${CMAKE_MATCH_1}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
