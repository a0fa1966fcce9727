# Cross build of Relivo.ocx for 64-bit Windows with the Debian MinGW-w64
# toolchain (the posix thread variant of the compilers).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(RELIVO_TRIPLETA x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RELIVO_TRIPLETA}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RELIVO_TRIPLETA}-g++-posix)
set(CMAKE_RC_COMPILER ${RELIVO_TRIPLETA}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RELIVO_TRIPLETA})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Where the standard OLE Automation library that the IDL imports lives.
set(RELIVO_STDOLE_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
