# Runs the built program on a fresh copy of a small knowledge base, as a user
# would run it from its own folder, and checks its exit status. The output is
# echoed so that the test can match a line of it.
#   PROGRAM   the built executable
#   DATA      the knowledge base to put beside it
#   WORK      a folder to run in (emptied first)
#   EMULATOR  what runs the program (wine for the Windows build), may be empty
#   EXPECT    the exit status the run must end with
#   ARGS      the program's arguments, separated by "|"
#   NO_REPORT when set, the run is not expected to write a report
string(REPLACE "|" ";" ARGS "${ARGS}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
get_filename_component(name "${PROGRAM}" NAME)
file(COPY "${PROGRAM}" "${DATA}" DESTINATION "${WORK}")
execute_process(COMMAND ${EMULATOR} "${WORK}/${name}" ${ARGS}
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE status
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  TIMEOUT 120)
message("${out}")
if(err)
  message("standard error:\n${err}")
endif()
if(NOT "${status}" STREQUAL "${EXPECT}")
  message(FATAL_ERROR "exit status ${status}, expected ${EXPECT}")
endif()
if(NOT NO_REPORT AND NOT EXISTS "${WORK}/TEMP/report.txt")
  message(FATAL_ERROR "no TEMP/report.txt beside the program")
endif()
