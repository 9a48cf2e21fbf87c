# The 64-bit Windows build (build-win64/spirandel.scr), whose programs and tests run under
# wine64 through scripts/wine-run.
set(SPIRANDEL_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run)
