# Checks the built Windows program's headers: a window program that needs
# nothing beyond the system's own DLLs, with its resources inside.
#   PROGRAM   Quorvex.exe
#   OBJDUMP   the mingw-w64 objdump
set(system_dlls ADVAPI32 COMCTL32 GDI32 KERNEL32 msvcrt ole32 RASAPI32 SHELL32 urlmon USER32 WININET WINMM)
execute_process(COMMAND ${OBJDUMP} -p "${PROGRAM}" OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${PROGRAM}")
endif()
if(NOT headers MATCHES "Subsystem[\t ]+00000002")
  message(FATAL_ERROR "not a window (GUI subsystem) program")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
foreach(import IN LISTS imports)
  string(REGEX REPLACE "DLL Name: ([^.]+)\\.dll" "\\1" dll "${import}")
  string(TOUPPER "${dll}" dll_upper)
  set(known FALSE)
  foreach(system IN LISTS system_dlls)
    string(TOUPPER "${system}" system_upper)
    if(dll_upper STREQUAL system_upper)
      set(known TRUE)
    endif()
  endforeach()
  if(NOT known)
    message(FATAL_ERROR "imports a DLL that is not the system's: ${dll}")
  endif()
endforeach()
# The resource directory as objdump lists it: types, names, languages.
foreach(resource
    "Entry: name: [^\n]*: BANNER"              # the banner bitmap
    "Entry: name: [^\n]*: HAND"                # the cursor group
    "Entry: ID: 0x007531"                       # icon group 30001
    "Entry: ID: 0x000405"                       # the Czech (1029) string table
    "  Entry: ID: 0x000010, Value: 0x8"         # the version record
    "  Entry: ID: 0x000018, Value: 0x8")        # the manifest
  if(NOT headers MATCHES "${resource}")
    message(FATAL_ERROR "resource missing from ${PROGRAM}: ${resource}")
  endif()
endforeach()
message("${PROGRAM}: window program, ${imports}")
