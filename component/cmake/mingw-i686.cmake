# Cross build of Relivo.ocx for 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(RELIVO_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
