# The program started with no display and no UI script: one line saying so,
# return code 10, and nothing written in its folder or its home. The same when
# DISPLAY names an X display that cannot be opened (X_DISPLAY, e.g. ":99").
#   cmake -DPROGRAM=<ludex> -DWORK=<empty folder to run in> [-DX_DISPLAY=:99] -P start_without_display.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/home")
if(X_DISPLAY)
  set(display "DISPLAY=${X_DISPLAY}")
  set(expected "^The display \"${X_DISPLAY}\" \\(DISPLAY\\) cannot be opened and no UI script .*: nothing to show\n$")
else()
  set(display --unset=DISPLAY)
  set(expected "^No display .* and no UI script .*: nothing to show\n$")
endif()
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env ${display} --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
          --unset=LUDEX_UI_SCRIPT --unset=LUDEX_SHOW_UI "HOME=${WORK}/home" "${PROGRAM}"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE code
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT code EQUAL 10)
  message(FATAL_ERROR "return code ${code}, not 10 (output: ${out}${err})")
endif()
string(REGEX MATCHALL "\n" lines "${out}")
list(LENGTH lines count)
if(NOT count EQUAL 1 OR NOT out MATCHES "${expected}" OR NOT err STREQUAL "")
  message(FATAL_ERROR "not the one line expected: \"${out}\" \"${err}\"")
endif()
file(GLOB_RECURSE written LIST_DIRECTORIES true "${WORK}/*")
if(NOT written STREQUAL "${WORK}/home")
  message(FATAL_ERROR "the program changed its folder: ${written}")
endif()
file(REMOVE_RECURSE "${WORK}")
