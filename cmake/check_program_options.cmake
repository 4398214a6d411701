# ctest -P script: PROGRAM answers --help with its usage on stdout and 0, --version with "NAME VERSION"
# and 0, and a wrong option with its usage on stderr and 2.
#   -DPROGRAM=path -DNAME=name -DVERSION=x.y.z.w [-DRUNNER=emulator]
function(run_program expected_code)
  execute_process(COMMAND ${RUNNER} ${PROGRAM} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL expected_code)
    message(FATAL_ERROR "${NAME} ${ARGN}: exit ${code}, expected ${expected_code}\nstdout: ${out}\nstderr: ${err}")
  endif()
  # Windows programs end their lines with CR LF.
  string(REPLACE "\r" "" out "${out}")
  string(REPLACE "\r" "" err "${err}")
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

run_program(0 --help)
if(NOT out MATCHES "usage: ${NAME} ")
  message(FATAL_ERROR "${NAME} --help printed no usage:\n${out}")
endif()
run_program(0 --version)
if(NOT out STREQUAL "${NAME} ${VERSION}\n")
  message(FATAL_ERROR "${NAME} --version printed '${out}', expected '${NAME} ${VERSION}'")
endif()
run_program(2 --no-such-option)
if(NOT err MATCHES "usage: ${NAME} ")
  message(FATAL_ERROR "${NAME} --no-such-option printed no usage on stderr:\n${err}")
endif()
