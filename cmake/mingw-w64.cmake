# Cross build of the Windows programs with mingw-w64 (Debian: g++-mingw-w64-x86-64).
# The top CMakeLists.txt links them statically, so each .exe is a single file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The programs need no threads: the default (win32) thread model is enough.
# GoogleTest needs std::mutex, so the Windows build of the unit tests sets
# LIRA_MINGW_THREADS=-posix.
set(LIRA_MINGW_PREFIX x86_64-w64-mingw32)
if(NOT DEFINED LIRA_MINGW_THREADS)
  set(LIRA_MINGW_THREADS "")
endif()
set(CMAKE_C_COMPILER ${LIRA_MINGW_PREFIX}-gcc${LIRA_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${LIRA_MINGW_PREFIX}-g++${LIRA_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${LIRA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LIRA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
