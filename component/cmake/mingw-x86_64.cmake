# Cross build of Relivo.ocx for 64-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(RELIVO_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
