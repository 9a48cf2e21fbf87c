# Helpers shared by every CMakeLists of the project, so that each module states only what it is.

# Our own code gets the full warnings; third-party code (GoogleTest, Qt, Xlib headers) does not.
# Treating them as errors is our own check (SPIRANDEL_WERROR, on in scripts/test and CI), not a
# condition for whoever builds a release with a compiler we have not met.
# GCC 12 at -O2 and above reports overlaps inside std::string's inlined copies that cannot
# happen (a literal before a temporary string, "x" + std::string(...)), in our code and in
# anyone's; that one check is left to the other compilers.
function(spirandel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(SPIRANDEL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# One seed must draw the same pixels on every CPU and compiler, so every floating-point operation
# that can reach a pixel is rounded to double on its own: no contraction into fused multiply-adds
# (GCC contracts in its GNU modes, on every CPU that has them: aarch64, s390x, x86 with FMA), and
# on 32-bit x86 the SSE2 unit instead of the x87 one, whose 80-bit registers round twice and
# differ between a value kept in a register and the same value stored. The engine's double-double
# arithmetic is exact only so, and the canvas's large ellipses and the settings' size factor
# depend on it too. A 32-bit x86 build thus needs a CPU with SSE2.
function(spirandel_exact_floating_point target)
  target_compile_options(${target} PRIVATE -ffp-contract=off)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
    target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
  endif()
endfunction()

# spirandel_module_include_dir(VAR): the include directory of the module whose folder is being
# read (src/app, src/platform/x11, ...), in VAR. It holds one symbolic link, named as the module
# is spelt in an include, to the module's folder: <build>/include/platform_x11/platform/x11 ->
# src/platform/x11. A target so sees "platform/x11/X11Session.h" and no other module's headers,
# while the sources stay where they are. A folder outside src/ (tools/render) is its own.
function(spirandel_module_include_dir var)
  file(RELATIVE_PATH module ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  if(module MATCHES "^\\.\\.")
    set(${var} ${CMAKE_CURRENT_SOURCE_DIR} PARENT_SCOPE)
    return()
  endif()
  string(REPLACE "/" "_" folder ${module})
  set(dir ${PROJECT_BINARY_DIR}/include/${folder})
  get_filename_component(parent ${dir}/${module} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${dir}/${module} SYMBOLIC)
  set(${var} ${dir} PARENT_SCOPE)
endfunction()

# spirandel_library(NAME SOURCES ... [PUBLIC ...] [PRIVATE ...]): a static library of one
# module. PUBLIC names what the module's headers include, which every user of the library then
# sees too; PRIVATE what only its sources include. A module that includes a header of another it
# does not link so fails to compile ("No such file"). Built with the floating point above: any
# module may hand a double on towards the pixels.
function(spirandel_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  spirandel_module_include_dir(include_dir)
  target_include_directories(${name} PUBLIC ${include_dir})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  target_compile_features(${name} PUBLIC cxx_std_20)
  spirandel_warnings(${name})
  spirandel_exact_floating_point(${name})
endfunction()

# spirandel_program_headers(TARGET): a program in a module's folder (src/main) sees that
# module's own headers as "main/...", as a library of the module would.
function(spirandel_program_headers target)
  spirandel_module_include_dir(include_dir)
  target_include_directories(${target} PRIVATE ${include_dir})
endfunction()

# spirandel_test(NAME SOURCES ... [DEPS ...]): a GoogleTest program registered with ctest,
# one ctest entry per test case so that a failure names the case.
function(spirandel_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PROPERTIES" ${ARGN})
  if(NOT TARGET GTest::gtest)
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    SPIRANDEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    SPIRANDEL_BINARY_DIR="${CMAKE_BINARY_DIR}")
  spirandel_warnings(${name})
  if(CMAKE_CROSSCOMPILING)
    # The whole program under the emulator (see cmake/CrossTesting.cmake).
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${SPIRANDEL_CROSS_TEST_TIMEOUT})
    if(ARG_PROPERTIES)
      set_tests_properties(${name} PROPERTIES ${ARG_PROPERTIES})
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${ARG_PROPERTIES})
  endif()
endfunction()

# spirandel_require(PACKAGE HINT [find_package arguments...]): a dependency that the build
# cannot do without. Missing, it stops the configure with one line saying what to install or
# which option turns the part off, instead of leaving the part out silently.
macro(spirandel_require package hint)
  find_package(${package} ${ARGN} QUIET)
  if(NOT ${package}_FOUND)
    message(FATAL_ERROR "${package} not found: ${hint}")
  endif()
endmacro()
