# Builds a small consumer project against the library, either through add_subdirectory or
# through find_package after an install, and runs it. Called by CTest with -P.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}")
  endif()
endfunction()

set(consumer ${CMAKE_CURRENT_LIST_DIR}/${MODE})
if(MODE STREQUAL "find_package")
  run(${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/lib -DCMAKE_BUILD_TYPE=Release
      -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCHMARKS=OFF -DQV_BUILD_EXAMPLES=OFF -DQV_BUILD_TOOLS=OFF
      -DQV_HEADER_CHECK=OFF -DCMAKE_INSTALL_PREFIX=${WORK}/prefix)
  run(${CMAKE_COMMAND} --build ${WORK}/lib --parallel 2)
  run(${CMAKE_COMMAND} --install ${WORK}/lib)
  run(${CMAKE_COMMAND} -S ${consumer} -B ${WORK}/app -DCMAKE_PREFIX_PATH=${WORK}/prefix)
else()
  run(${CMAKE_COMMAND} -S ${consumer} -B ${WORK}/app -DQUORVANE_SOURCE=${SOURCE})
endif()
run(${CMAKE_COMMAND} --build ${WORK}/app --parallel 2)
run(${WORK}/app/consumer)
