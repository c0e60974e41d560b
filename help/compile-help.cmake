# Compiles the help project in WORK_DIR with chmcmd and fails on any warning
# (a page missing from the project or a link to a page that does not exist).
#   cmake -DCHMCMD=... -DWORK_DIR=... -DPROJECT_FILE=help.hhp -P compile-help.cmake
execute_process(
  COMMAND ${CHMCMD} ${PROJECT_FILE}
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE _result
  OUTPUT_VARIABLE _output
  ERROR_VARIABLE _output)
if(NOT _result EQUAL 0 OR _output MATCHES "Warning|Error|exception")
  message(FATAL_ERROR "chmcmd failed (${_result}):\n${_output}")
endif()
