# The plan panel's exchange buttons and corvane-cli import and export on the demo data, in a fresh
# folder that is also the home folder, where the IvAp file "C:default.fpl" is looked for. The files
# written must match the expected ones line for line, with CR LF line ends; corvane-cli import and
# export must write the same files as the buttons.
#   cmake -DCLI=... -DDATA=... -DFILES=<this folder> -DWORK=... -P exchange.cmake
#   RUNNER, when set, runs the program (Wine for a Windows build)
# On Windows "C:default.fpl" is the current folder of drive C, so the work folder must lie on drive C:
# under Wine, in the prefix's drive_c (the prefix scripts/wine-run uses).
if(RUNNER)
  set(prefix "$ENV{CORVANE_WINEPREFIX}")
  if(NOT prefix)
    get_filename_component(root "${RUNNER}/../.." ABSOLUTE)
    set(prefix "${root}/build-windows/wine")
  endif()
  get_filename_component(name "${WORK}" NAME)
  set(WORK "${prefix}/drive_c/${name}")
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(ENV{HOME} "${WORK}")
# Numbers must keep their "." under a locale that writes ",".
set(ENV{LC_ALL} "de_DE.UTF-8")
file(COPY "${FILES}/path.kml" "${FILES}/track.kml" DESTINATION "${WORK}")
file(COPY_FILE "${FILES}/ivap_template.fpl" "${WORK}/default.fpl")

# Runs corvane-cli; the exit code, standard output and standard error land in the named variables.
function(run_cli result output errors)
  execute_process(COMMAND ${RUNNER} "${CLI}" ${ARGN} WORKING_DIRECTORY "${WORK}"
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result} "${code}" PARENT_SCOPE)
  set(${output} "${out}" PARENT_SCOPE)
  set(${errors} "${err}" PARENT_SCOPE)
endfunction()

function(expect_file written expected)
  file(READ "${WORK}/${written}" bytes HEX)
  string(FIND "${bytes}" "0d0a" crlf)
  file(READ "${WORK}/${written}" text)
  file(READ "${FILES}/${expected}" wanted)
  string(REPLACE "\r\n" "\n" text "${text}")
  if(crlf EQUAL -1 OR NOT text STREQUAL wanted)
    message(FATAL_ERROR "${written} differs from ${FILES}/${expected} or lacks CR LF line ends")
  endif()
endfunction()

run_cli(result output errors run --data "${DATA}" --ini "${WORK}/corvane.INI" "${FILES}/buttons.script")
file(WRITE "${WORK}/output.txt" "${output}")
file(READ "${FILES}/buttons.expected" expected)
if(NOT result EQUAL 0 OR NOT output STREQUAL expected)
  message(FATAL_ERROR "buttons.script ended with ${result}; its output, in ${WORK}/output.txt:\n${output}${errors}")
endif()
expect_file(eham_bikf.PLN eham_bikf.PLN)
expect_file(eham_bikf.fms eham_bikf.fms)
expect_file(default.fpl eham_bikf.fpl)

# The command line: the default route imported and saved, then exported by the same writers.
run_cli(result output errors import --data "${DATA}" --save route.nav
        EHAM SID SPY UL7 SUM UM125 SIDER G11 MY G3 SKARD STAR BIKF)
if(NOT result EQUAL 0 OR NOT output MATCHES "\nSKARD - STAR - BIKF \nSKARD STAR BIKF \nBIKF \nRoute set!!\n\n 1   EHAM .*\n 1   BIKF .*\nTotal distance is 1145 nm\\.\n$")
  message(FATAL_ERROR "import of the default route ended with ${result}:\n${output}${errors}")
endif()
foreach(format pln fms)
  run_cli(result output errors export --data "${DATA}" --format ${format} route.nav cli.${format})
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "export --format ${format} ended with ${result}: ${errors}")
  endif()
endforeach()
expect_file(cli.pln eham_bikf.PLN)
expect_file(cli.fms eham_bikf.fms)
run_cli(result output errors export --data "${DATA}" --format ivap --template "${FILES}/ivap_template.fpl"
        route.nav cli.fpl)
if(NOT result EQUAL 0 OR NOT output MATCHES "^IvAp Route: EHAM DCT SPY UL7 SUM UM125 SIDER G11 MY G3 SKARD DCT BIKF \n$")
  message(FATAL_ERROR "export --format ivap ended with ${result}: ${output}${errors}")
endif()
expect_file(cli.fpl eham_bikf.fpl)

# X-Plane 11 and 12: the version-11 FMS names the airway of every leg.
run_cli(result output errors export --data "${DATA}" --format fms11 route.nav cli11.fms)
file(READ "${WORK}/cli11.fms" fms11)
string(REPLACE "\r\n" "\n" fms11 "${fms11}")
if(NOT result EQUAL 0 OR NOT fms11 MATCHES "^I\n1100 Version\nADEP EHAM\nADES BIKF\nNUMENR 20\n1 EHAM ADEP "
   OR NOT fms11 MATCHES "\n11 LONAM UL7 33000\\.000000 " OR NOT fms11 MATCHES "\n1 BIKF ADES [^\n]*\n$")
  message(FATAL_ERROR "export --format fms11 ended with ${result}: ${errors}\n${fms11}")
endif()

# Plans in from other planners: each exported file loads back as the same route.
foreach(file cli.pln cli.fms cli11.fms)
  run_cli(result output errors import --data "${DATA}" --file ${file})
  if(NOT result EQUAL 0 OR NOT output MATCHES "^ 1    EHAM  33000  320    0     -11 .*\n11   SKARD .*\n 1    BIKF .*\nTotal distance is 1145 nm\\.\n$")
    message(FATAL_ERROR "import --file ${file} ended with ${result}:\n${output}${errors}")
  endif()
endforeach()
file(WRITE "${WORK}/bad.fms" "I\n3 version\n1\n5\n1 EHAM 0 x 4\n")
run_cli(result output errors import --data "${DATA}" --file bad.fms)
if(NOT result EQUAL 1 OR NOT errors MATCHES "bad\\.fms: line 5: ")
  message(FATAL_ERROR "import --file of a broken FMS ended with ${result}: ${errors}")
endif()

# The IvAp route's airways come from the family the settings choose, as the window loads it.
file(WRITE "${WORK}/fs.INI" "[SIM]\r\nFS=1\r\nXP=0\r\n")
run_cli(result output errors export --data "${DATA}" --format ivap --ini "${WORK}/fs.INI"
        --template "${FILES}/ivap_template.fpl" route.nav fs.fpl)
if(NOT errors MATCHES "fsxvor\\.dat")
  message(FATAL_ERROR "export --format ivap with FS settings did not load the FS family: ${errors}")
endif()

# Failures: a route without its last point; a template that is not there writes nothing; a wrong
# command line is told apart.
run_cli(result output errors import --data "${DATA}" --save short.nav "EHAM DCT SPY UL7")
if(NOT result EQUAL 1 OR NOT errors STREQUAL "corvane-cli import: Error01: Can not finish route!\n"
   OR EXISTS "${WORK}/short.nav")
  message(FATAL_ERROR "import of a route without its last point ended with ${result}:\n${output}${errors}")
endif()
run_cli(result output errors export --data "${DATA}" --format ivap route.nav none.fpl)
if(NOT result EQUAL 1 OR NOT errors MATCHES "none\\.fpl" OR EXISTS "${WORK}/none.fpl")
  message(FATAL_ERROR "export to a missing template ended with ${result}: ${errors}")
endif()
foreach(wrong "export;--data;${DATA};--format;gpx;route.nav;out.gpx" "import;EHAM DCT SPY")
  run_cli(result output errors ${wrong})
  if(NOT result EQUAL 2 OR NOT errors MATCHES "^usage: corvane-cli ")
    message(FATAL_ERROR "corvane-cli ${wrong} ended with ${result}: ${errors}")
  endif()
endforeach()
