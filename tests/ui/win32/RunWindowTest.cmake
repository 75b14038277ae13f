# Runs the window test. Under wine it first selects wine's display-less
# graphics driver for the prefix: windows are then made and take messages
# without any X server (the choice is read when a process starts).
#   PROGRAM   the test executable
#   EMULATOR  what runs it (wine), empty on Windows
if(EMULATOR)
  execute_process(COMMAND ${EMULATOR} reg add "HKCU\\Software\\Wine\\Drivers" /v Graphics /d null /f
    RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "could not select wine's null graphics driver (status ${status})")
  endif()
  set(ENV{DISPLAY} "")
endif()
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" --gtest_brief=1 RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "window test failed (status ${status})")
endif()
