# The program itself run by a UI script on a list of its own: it opens its
# window, filters the games, starts one with a fake emulator and is asked to
# quit through the commodities exchange. It must end with return code 0 and
# nothing printed, with the emulator given the game's file and the game's
# play count and last played time saved.
#   cmake -DPROGRAM=<ludex> -DWORK=<folder to run in> [-DLEAKS=<suppressions>] -P program_run_with_ui_script.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/home" "${WORK}/progdir" "${WORK}/run" "${WORK}/bin" "${WORK}/games/Amiga")

file(WRITE "${WORK}/games/Amiga/SuperFrog.adf" "game")
file(WRITE "${WORK}/games/Amiga/Racer.adf" "game")
file(WRITE "${WORK}/progdir/Ludex.list"
     "5\nSuper Frog\nGames:Amiga/SuperFrog.adf\n,Platform,Fake,\n\n2\n$0\n"
     "\nRacer\nGames:Amiga/Racer.adf\n,Racing,Fake,\n\n0\n$0\n"
     "\nLemmings\nGames:Amiga/Lemmings.adf\n,Puzzle,\n\n0\n$0\n")
file(WRITE "${WORK}/home/.config/ludex/ENVARC/Ludex.prefs" "1\n0\n0\nFake\nfakeemu \"%g\"\n\n")
file(WRITE "${WORK}/bin/fakeemu" "#!/bin/sh\necho \"$@\" >> \"${WORK}/starts.txt\"\n")
file(CHMOD "${WORK}/bin/fakeemu" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
# The line after "quit" is never reached when the quit ends the program; if
# it were, it would fail and the program would end with 20.
file(WRITE "${WORK}/ui.script"
     "expect-rows Games 3\n"
     "type Name \"frog racer\" enter\n"
     "expect-rows Games 2\n"
     "type Tags platform enter\n"
     "expect-rows Games 1\n"
     "double-click-row Games \"Super Frog\"\n"
     "quit\n"
     "expect-rows Games 99\n")

if(LEAKS)
  set(leaks "LSAN_OPTIONS=suppressions=${LEAKS}")
endif()
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
          --unset=LUDEX_SHOW_UI --unset=LUDEX_ASSIGNS "HOME=${WORK}/home" "LUDEX_HOME=${WORK}/progdir"
          "XDG_RUNTIME_DIR=${WORK}/run" "LUDEX_VOLUMES=Games=${WORK}/games" "PATH=${WORK}/bin:/usr/bin:/bin"
          "LUDEX_UI_SCRIPT=${WORK}/ui.script" ${leaks} timeout 20 "${PROGRAM}"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE code
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT code EQUAL 0 OR NOT out STREQUAL "" OR NOT err STREQUAL "")
  message(FATAL_ERROR "return code ${code}, not 0, or something printed: \"${out}\" \"${err}\"")
endif()

file(READ "${WORK}/progdir/Ludex.list" list)
# Two plays before, three now, and a last played time that is no longer 0.
if(NOT list MATCHES "Super Frog\nGames:Amiga/SuperFrog.adf\n,Platform,Fake,\n\n3\n\\$[1-9a-f][0-9a-f]*\n")
  message(FATAL_ERROR "the play was not saved:\n${list}")
endif()
if(NOT list MATCHES "Racer\nGames:Amiga/Racer.adf\n,Racing,Fake,\n\n0\n\\$0\n")
  message(FATAL_ERROR "a game not played changed:\n${list}")
endif()

# The game starts in the background: give it a few seconds to be written.
foreach(attempt RANGE 50)
  if(EXISTS "${WORK}/starts.txt")
    file(READ "${WORK}/starts.txt" starts)
    if(starts MATCHES "\n")
      break()
    endif()
  endif()
  execute_process(COMMAND sleep 0.1)
endforeach()
file(REAL_PATH "${WORK}/games/Amiga/SuperFrog.adf" game)
if(NOT starts STREQUAL "${game}\n")
  message(FATAL_ERROR "the emulator was started with \"${starts}\", not the game's file")
endif()
file(REMOVE_RECURSE "${WORK}")
