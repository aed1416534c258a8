# The program started with a display (Qt's offscreen one) and no UI script:
# it opens its windows and waits; the host's quit request (SIGTERM) ends it
# through the commodities kill, cleanly, with return code 0.
#   cmake -DPROGRAM=<ludex> -DWORK=<empty folder to run in> -DLEAKS=<suppressions> -P start_and_quit.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/home")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=LUDEX_UI_SCRIPT
          QT_QPA_PLATFORM=offscreen "HOME=${WORK}/home" "LSAN_OPTIONS=suppressions=${LEAKS}"
          timeout --preserve-status -s TERM 3 "${PROGRAM}"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE code
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "return code ${code}, not 0 (output: ${out}${err})")
endif()
file(REMOVE_RECURSE "${WORK}")
