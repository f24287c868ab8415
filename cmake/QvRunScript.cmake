# Runs one script test (see QvScriptTest.cmake): cmake -DQVHOST=... -DSCRIPT=... -DEXPECTED=...
# -DEXIT=... -DARGS=a|b -DWORK=folder -P QvRunScript.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(folder ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME)
string(REPLACE "|" ";" args "${ARGS}")
execute_process(
  COMMAND ${QVHOST} --user-dir ${WORK}/user ${args} ${name}
  WORKING_DIRECTORY ${folder}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(actual "${out}${err}")
file(WRITE ${WORK}.actual "${actual}")
file(READ ${EXPECTED} expected)
if(NOT status STREQUAL EXIT)
  message(FATAL_ERROR "${name}: exit status ${status}, expected ${EXIT}\n--- output:\n${actual}")
endif()
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "${name}: the output differs from ${EXPECTED} (kept in ${WORK}.actual)\n"
                      "--- expected:\n${expected}\n--- actual:\n${actual}")
endif()
