# Build-wide settings shared by the Windows (i686 cross) and native builds.
#
# Each source folder lists its files in two groups: portable sources build in
# both builds, window sources only in the Windows build.

if(WIN32)
  set(BRIVANE_WINDOWS ON)
  set(BRIVANE_NATIVE OFF)
else()
  set(BRIVANE_WINDOWS OFF)
  set(BRIVANE_NATIVE ON)
endif()

option(BRIVANE_SANITIZE "Build native code with ASan and UBSan" ON)

# Same floating point in both builds, so numbers and their printed text agree.
add_compile_options(-msse2 -mfpmath=sse -ffp-contract=off -Wall -Wextra -Wno-unused-parameter)

if(BRIVANE_WINDOWS)
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600
                          NOMINMAX STRICT)
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Wine's debugging library reads DWARF 4, not the compiler's default 5:
  # a crash's backtrace names the functions and lines.
  add_compile_options(-gdwarf-4)
  # Tests and tools run under Wine in a private prefix inside this build folder.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
elseif(BRIVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # Coverage for the libFuzzer targets, which link the same libraries.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()

# GoogleTest from Debian's sources, built for whichever target this build has.
set(BRIVANE_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
function(brivane_enable_gtest)
  if(TARGET gtest)
    return()
  endif()
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  if(BRIVANE_WINDOWS)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  endif()
  add_subdirectory(${BRIVANE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # The tests' own main: it fails a run that selects no test, and writes the
  # summary of a finished run that scripts/run-test.sh requires.
  add_library(brivane_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/TestMain.cpp)
  target_link_libraries(brivane_test_main PUBLIC gtest)
  if(BRIVANE_WINDOWS)
    # A crash's backtrace.
    target_link_libraries(brivane_test_main PRIVATE dbghelp)
  endif()
endfunction()

# Every source folder is one library (a folder split into subfolders, as the
# 1D dialogs are, stays one), either portable (built in every build) or
# Windows-only (built in the Windows builds only); a folder's sources are
# all its .cpp files but a program's main file. A portable folder's calls of
# the C runtime that differ between Windows and POSIX sit in a pair of files,
# <Name>Win32.cpp and <Name>Posix.cpp, of which each build takes its own.
function(brivane_folder_sources out)
  set(srcs)
  if(BRIVANE_WINDOWS)
    set(other_runtime "Posix\\.cpp$")
  else()
    set(other_runtime "Win32\\.cpp$")
  endif()
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(FILTER found EXCLUDE REGEX "Main\\.cpp$")
    list(FILTER found EXCLUDE REGEX ${other_runtime})
    list(APPEND srcs ${found})
  endforeach()
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()

# brivane_portable_library(NAME DIRS folders... LIBS libs...)
function(brivane_portable_library name)
  cmake_parse_arguments(A "" "" "DIRS;LIBS" ${ARGN})
  brivane_folder_sources(srcs ${A_DIRS})
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${A_LIBS})
  else()
    # Header-only so far: dependants still link.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${A_LIBS})
  endif()
endfunction()

# brivane_windows_code(TARGET): the target's C++ files see the platform
# headers before anything else, so that the portable headers they include
# take the platform's value types instead of declaring their own.
function(brivane_windows_code name)
  get_target_property(type ${name} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    return()
  endif()
  target_compile_options(${name} PRIVATE
      "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${CMAKE_SOURCE_DIR}/framework/win/Win32.h>")
endfunction()

# brivane_windows_library(NAME DIRS folders... LIBS libs...): nothing in the
# native build.
function(brivane_windows_library name)
  if(BRIVANE_WINDOWS)
    brivane_portable_library(${name} ${ARGN})
    brivane_windows_code(${name})
  endif()
endfunction()

# brivane_test(NAME [WINDOWS_ONLY] SOURCES files... LIBS libs...)
# One test executable is one ctest entry: each Wine start costs about half a
# second, so test cases are not registered one by one.
function(brivane_test name)
  cmake_parse_arguments(A "WINDOWS_ONLY" "" "SOURCES;LIBS" ${ARGN})
  if(A_WINDOWS_ONLY AND NOT BRIVANE_WINDOWS)
    return()
  endif()
  brivane_enable_gtest()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} brivane_test_main)
  if(A_WINDOWS_ONLY)
    brivane_windows_code(${name})
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
      BRIVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
      BRIVANE_REALDATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")
  if(BRIVANE_WINDOWS)
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  # Judged by scripts/run-test.sh: a run passes only when it ran to its end.
  # The window tests share one display and its focus with Wine's own
  # windows: one that fails gets a second run, of the whole executable.
  set(second_run)
  if(BRIVANE_WINDOWS AND A_WINDOWS_ONLY)
    set(second_run --second-run)
  endif()
  add_test(NAME ${name}
    COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/run-test.sh ${second_run} $<TARGET_FILE:${name}> --gtest_brief=1)
  # Fifteen minutes a run.
  if(second_run)
    set_tests_properties(${name} PROPERTIES TIMEOUT 1800)
  else()
    set_tests_properties(${name} PROPERTIES TIMEOUT 900)
  endif()
  if(BRIVANE_WINDOWS AND A_WINDOWS_ONLY)
    # Window tests share one display and Wine's one foreground window: run
    # them one at a time so that focus and activation are theirs alone.
    # (They share their Wine prefix's temporary folder, one at a time.)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_display)
  else()
    # A scratch folder of the test's own: test programs that run side by side
    # (the portable ones of a Windows build beside its window tests, in one
    # Wine prefix), or in two builds at once, never write each other's
    # temporary files. Wine reaches it through drive Z:.
    set(scratch ${CMAKE_CURRENT_BINARY_DIR}/scratch/${name}/)
    file(MAKE_DIRECTORY ${scratch})
    if(BRIVANE_WINDOWS)
      string(REPLACE "/" "\\" scratch "Z:${scratch}")
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "TEST_TMPDIR=${scratch}")
  endif()
endfunction()

# brivane_folder_test(NAME [WINDOWS_ONLY] DIR folders... [SOURCES more...] LIBS libs...):
# a test executable of every .cpp file in the folders of tests/ (a folder
# split into subfolders keeps one executable).
function(brivane_folder_test name)
  cmake_parse_arguments(A "WINDOWS_ONLY" "" "DIR;SOURCES;LIBS" ${ARGN})
  set(srcs)
  foreach(dir ${A_DIR})
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${dir}/*.cpp)
    list(APPEND srcs ${found})
  endforeach()
  set(only)
  if(A_WINDOWS_ONLY)
    set(only WINDOWS_ONLY)
  endif()
  brivane_test(${name} ${only} SOURCES ${srcs} ${A_SOURCES} LIBS ${A_LIBS})
endfunction()

# brivane_tool(NAME SOURCES files... LIBS libs...): a console helper program
# used by tests, built in both builds.
function(brivane_tool name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  if(BRIVANE_WINDOWS)
    target_link_options(${name} PRIVATE -mconsole)
  endif()
endfunction()

# Tests, fuzz targets and benchmarks are declared in small fragments (*.cmake)
# beside their sources, one per area of work, so that parallel work never
# edits one list.
macro(brivane_include_fragments dir)
  file(GLOB _brivane_frags CONFIGURE_DEPENDS ${dir}/*.cmake)
  list(SORT _brivane_frags)
  foreach(_frag IN LISTS _brivane_frags)
    include(${_frag})
  endforeach()
endmacro()
