# The 32-bit Windows build (build-win32/spirandel.scr). This machine cannot run its programs,
# so it has no test runner: it is built to prove the sources compile warning-free for i686.
set(SPIRANDEL_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
