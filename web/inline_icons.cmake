# Writes the page template with the icons as base64 data: cmake -DTEMPLATE=... -DICON_SVG=...
# -DICON_PNG=... -DOUTPUT=... -P inline_icons.cmake
find_program(BASE64 base64 REQUIRED)
foreach(icon SVG PNG)
  execute_process(COMMAND ${BASE64} -w0 ${ICON_${icon}} OUTPUT_VARIABLE ICON_${icon}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
