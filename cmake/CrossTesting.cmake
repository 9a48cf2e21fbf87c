# Unit tests of a cross build: there is no GoogleTest for the target in the distribution, so it
# is built here from Debian's source package, and every test program runs whole under the
# emulator (wine64 for Windows, qemu-user for other CPUs). One ctest entry per program rather
# than per case: each case would start the emulator anew, and discovering the cases would run
# every program at build time. An emulator can hang where the real machine would not (qemu-i386
# after fork, with dynamic linking), so every entry has a timeout of its own.
set(SPIRANDEL_CROSS_TEST_TIMEOUT 300 CACHE STRING "Seconds one cross-built test program may run")
set(SPIRANDEL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  message(STATUS "No emulator for the target: tests are built but cannot run here")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(${SPIRANDEL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# The test framework's own speed does not matter, its build time does: one large source that
# every cross build compiles anew.
foreach(framework gtest gtest_main gmock gmock_main)
  target_compile_options(${framework} PRIVATE -O0 -g0)
endforeach()
