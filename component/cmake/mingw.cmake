# Cross build of Relivo.ocx for Windows with the Debian MinGW-w64 toolchain
# (the posix thread variant of the compilers). Included by the toolchain
# file of each width, which sets RELIVO_TRIPLET (the target triple) and
# CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${RELIVO_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RELIVO_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${RELIVO_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RELIVO_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Where the standard OLE Automation library that the IDL imports lives (the
# compiler only reads its names and GUIDs, the same in either width).
set(RELIVO_STDOLE_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
