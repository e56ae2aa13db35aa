# Writes the page template with the icons as base64 data, for the page to load nothing else:
# cmake -DTEMPLATE=... -DICON_SVG=... -DICON_PNG=... -DOUTPUT=... -P fill_template.cmake
find_program(BASE64 base64 REQUIRED)
foreach(icon SVG PNG)
  execute_process(COMMAND ${BASE64} -w0 ${ICON_${icon}} OUTPUT_VARIABLE ICON_${icon}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
