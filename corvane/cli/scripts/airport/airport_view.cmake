# The airport view script on the demo data, whose runway file carries each ILS as the label text of
# its runway end (frequency and course).
#   cmake -DCLI=... -DDATA=... -DFILES=<this folder> -DPLAN=... -DWORK=... -P airport_view.cmake
#   RUNNER, when set, runs the program (Wine for a Windows build)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${PLAN}" DESTINATION "${WORK}")
# The home folder stands for the default save folder, where OK writes the autosave file.
set(ENV{HOME} "${WORK}")

execute_process(COMMAND ${RUNNER} "${CLI}" run --data "${DATA}" --ini "${WORK}/corvane.INI" --sim builtin
                        "${FILES}/airport_view.script"
  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "airport_view.script ended with ${result}:\n${output}${errors}")
endif()
