# The program started with no display it can open and no UI script: one line
# saying so, return code 10, and nothing written in its folder or its home.
# CASE names what the environment gives: "none" (no display at all), "x" (an
# X display that cannot be opened), "wayland" (the same for Wayland) or
# "platform" (a Qt platform that cannot be started).
#   cmake -DPROGRAM=<ludex> -DWORK=<empty folder to run in> -DCASE=<case> -P start_without_display.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/home" "${WORK}/run")
set(unset --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM)
set(no_script "and no UI script \\(LUDEX_UI_SCRIPT\\): nothing to show")
if(CASE STREQUAL "none")
  set(display "")
  set(expected "^No display \\(DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM\\) ${no_script}\n$")
elseif(CASE STREQUAL "x")
  set(display "DISPLAY=:99")
  set(expected "^The display \":99\" \\(DISPLAY\\) cannot be opened ${no_script}\n$")
elseif(CASE STREQUAL "wayland")
  set(display "WAYLAND_DISPLAY=ludex-none")
  set(expected "^The display \"ludex-none\" \\(WAYLAND_DISPLAY\\) cannot be opened ${no_script}\n$")
elseif(CASE STREQUAL "platform")
  set(display "QT_QPA_PLATFORM=ludex-none")
  set(expected "^The display \"ludex-none\" \\(QT_QPA_PLATFORM\\) cannot be opened: nothing to show\n$")
else()
  message(FATAL_ERROR "unknown CASE \"${CASE}\"")
endif()
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env ${unset} ${display} --unset=LUDEX_UI_SCRIPT --unset=LUDEX_SHOW_UI
          "HOME=${WORK}/home" "XDG_RUNTIME_DIR=${WORK}/run" "${PROGRAM}"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE code
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT code EQUAL 10)
  message(FATAL_ERROR "return code ${code}, not 10 (output: ${out}${err})")
endif()
if(NOT out MATCHES "${expected}" OR NOT err STREQUAL "")
  message(FATAL_ERROR "not the one line expected: \"${out}\" \"${err}\"")
endif()
file(GLOB_RECURSE written LIST_DIRECTORIES true "${WORK}/*")
list(SORT written)
if(NOT written STREQUAL "${WORK}/home;${WORK}/run")
  message(FATAL_ERROR "the program changed its folder: ${written}")
endif()
file(REMOVE_RECURSE "${WORK}")
