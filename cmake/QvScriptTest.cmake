# Script tests: an AutoLISP script run through qvhost, its output compared with a file of expected
# text kept beside it.
#
#   qv_add_script_test(name script.lsp [EXPECTED file] [EXIT status] [ARGS arg ...])
#
# runs `qvhost --user-dir <fresh folder> ARGS script.lsp` in the script's folder and passes when
# the exit status is EXIT (0 unless given) and standard output followed by standard error equals
# the EXPECTED file (script.expected unless given). On a difference the output is kept in
# <build folder>/<name>.actual, so that it can be compared or copied over the expected file.
set(QV_SCRIPT_RUNNER ${CMAKE_CURRENT_LIST_DIR}/QvRunScript.cmake)

function(qv_add_script_test name script)
  cmake_parse_arguments(PARSE_ARGV 2 QV "" "EXPECTED;EXIT" "ARGS")
  if(NOT QV_BUILD_TOOLS)
    return()
  endif()
  get_filename_component(script_path ${script} ABSOLUTE)
  if(NOT QV_EXPECTED)
    string(REGEX REPLACE "\\.[^./]*$" ".expected" QV_EXPECTED ${script_path})
  endif()
  get_filename_component(expected_path ${QV_EXPECTED} ABSOLUTE)
  if(NOT DEFINED QV_EXIT)
    set(QV_EXIT 0)
  endif()
  string(REPLACE ";" "|" args "${QV_ARGS}")
  add_test(NAME script_${name}
    COMMAND ${CMAKE_COMMAND} -DQVHOST=$<TARGET_FILE:qvhost> -DSCRIPT=${script_path}
            -DEXPECTED=${expected_path} -DEXIT=${QV_EXIT} "-DARGS=${args}"
            -DWORK=${CMAKE_CURRENT_BINARY_DIR}/${name} -P ${QV_SCRIPT_RUNNER})
  set_tests_properties(script_${name} PROPERTIES LABELS scripts)
endfunction()
