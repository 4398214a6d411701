# The airport view script on a copy of the demo data whose Schiphol runway rows carry the ILS of one
# end as their label text (frequency and course), as a runway file may; the demo's own file has none.
#   cmake -DCLI=... -DDATA=... -DFILES=<this folder> -DPLAN=... -DWORK=... -P airport_view.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${DATA}/" DESTINATION "${WORK}/data")
file(COPY "${PLAN}" DESTINATION "${WORK}")

file(READ "${WORK}/data/NAVrwy.dat" runways)
foreach(label "18R=110.10 183" "18C=109.50 183" "36R=111.95 003" "06 =110.55 058" "27 =111.55 267"
              "22 =109.15 221")
  string(REPLACE "=" ";" parts "${label}")
  list(GET parts 0 designator)
  list(GET parts 1 text)
  # The rows are 40 characters long; the label takes columns 42 to 51.
  string(REGEX REPLACE "(EHAM ${designator} [^\r\n]*)" "\\1 ${text}" runways "${runways}")
endforeach()
file(WRITE "${WORK}/data/NAVrwy.dat" "${runways}")

execute_process(COMMAND "${CLI}" run --data "${WORK}/data" --ini "${WORK}/corvane.INI" --sim builtin
                        "${FILES}/airport_view.script"
  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "airport_view.script ended with ${result}:\n${output}${errors}")
endif()
