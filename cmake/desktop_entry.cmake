# Run at install time, once the prefix is final (CPack installs under a prefix
# of its own): writes the menu entry, whose ヘルプ action opens the installed
# help with the desktop's browser, and installs it. An Exec line may hold
# ASCII only, so the help is named by a file URL with every other byte
# percent-encoded, each % doubled as Exec asks.
#
# Set by install(CODE): NUMERA_DESKTOP_IN, NUMERA_DESKTOP_OUT, NUMERA_HELP_PATH
# (absolute) and NUMERA_APPLICATIONS (the folder the entry goes to).
string(HEX "${NUMERA_HELP_PATH}" hex)
string(LENGTH "${hex}" length)
math(EXPR last "${length} - 2")
set(NUMERA_HELP_URL "file://")
foreach(i RANGE 0 ${last} 2)
  string(SUBSTRING "${hex}" ${i} 2 byte)
  math(EXPR code "0x${byte}")
  string(ASCII ${code} char)
  if(char MATCHES "^[A-Za-z0-9/._~-]$")
    string(APPEND NUMERA_HELP_URL "${char}")
  else()
    string(TOUPPER "${byte}" byte)
    string(APPEND NUMERA_HELP_URL "%%${byte}")
  endif()
endforeach()
configure_file(${NUMERA_DESKTOP_IN} ${NUMERA_DESKTOP_OUT} @ONLY)
file(INSTALL DESTINATION "${NUMERA_APPLICATIONS}" TYPE FILE FILES "${NUMERA_DESKTOP_OUT}")
