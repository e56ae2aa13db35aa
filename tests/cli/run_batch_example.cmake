# Runs `tarnivel batch` on the README's example table and compares the output with EXPECTED.
execute_process(COMMAND "${TARNIVEL}" batch "${INPUT}" RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(READ "${EXPECTED}" want)
if(NOT status EQUAL 0 OR NOT out STREQUAL want)
  message(FATAL_ERROR "tarnivel batch ${INPUT}: status ${status}, stderr «${err}»\n"
                      "got:\n${out}\nwant:\n${want}")
endif()
