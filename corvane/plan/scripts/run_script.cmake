# Runs one corvane-cli script in a fresh folder that is also its home folder, so that the plan
# dialogs' default folder, the autosave file and the settings file stay inside it; then compares
# what the session printed with the expected output and, when asked, two files it wrote.
#   cmake -DCLI=... -DSCRIPT=... -DEXPECTED=... -DDATA=... -DWORK=... [-DSAME_FILE=a -DSAME_AS=b] -P run_script.cmake
#   RUNNER, when set, runs the program (Wine for a Windows build)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(ENV{HOME} "${WORK}")
# Numbers must keep their "." under a locale that writes ",".
set(ENV{LC_ALL} "de_DE.UTF-8")
execute_process(
  COMMAND ${RUNNER} "${CLI}" run --data "${DATA}" --ini "${WORK}/corvane.INI" "${SCRIPT}"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors)
file(WRITE "${WORK}/output.txt" "${output}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${SCRIPT} ended with ${result}:\n${output}${errors}")
endif()
file(READ "${EXPECTED}" expected)
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "${SCRIPT}: the output differs from ${EXPECTED}; it is in ${WORK}/output.txt:\n${output}")
endif()
if(SAME_FILE)
  file(READ "${WORK}/${SAME_FILE}" firstText HEX)
  file(READ "${WORK}/${SAME_AS}" secondText HEX)
  if(NOT firstText STREQUAL secondText)
    message(FATAL_ERROR "${SCRIPT}: ${SAME_FILE} and ${SAME_AS} differ")
  endif()
endif()
