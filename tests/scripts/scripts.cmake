# The run script's failure paths: a broken build, a program that cannot load
# a DLL it needs, a program that never shows a window, a 32-bit program on a
# machine that does not run them, a crash with and without a display (ten
# times each, beside the window tests).
if(BRIVANE_WINDOWS)
  # A DLL kept out of the test program's folder, so the program cannot start.
  add_library(brivane_absent SHARED ${CMAKE_CURRENT_LIST_DIR}/absent_dll.c)
  set_target_properties(brivane_absent PROPERTIES PREFIX ""
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/dll_elsewhere)
  add_executable(needs_absent_dll ${CMAKE_CURRENT_LIST_DIR}/needs_absent_dll.c)
  target_link_libraries(needs_absent_dll PRIVATE brivane_absent)
  add_executable(shows_no_window ${CMAKE_CURRENT_LIST_DIR}/shows_no_window.c)
  add_executable(crashes ${CMAKE_CURRENT_LIST_DIR}/crashes.c)
  add_executable(shows_a_message_box ${CMAKE_CURRENT_LIST_DIR}/shows_a_message_box.c)
  add_executable(crashes_after_its_window ${CMAKE_CURRENT_LIST_DIR}/crashes_after_its_window.c)
  set(probes needs_absent_dll shows_no_window crashes shows_a_message_box crashes_after_its_window)
  foreach(t ${probes})
    set_target_properties(${t} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/run_probes)
    target_link_options(${t} PRIVATE -mconsole)
  endforeach()
  add_test(NAME test_run_script
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/run_script_test.sh
            $<TARGET_FILE:needs_absent_dll> $<TARGET_FILE:shows_no_window> $<TARGET_FILE:crashes>
            $<TARGET_FILE:shows_a_message_box> $<TARGET_FILE:crashes_after_its_window>)
  set_tests_properties(test_run_script PROPERTIES TIMEOUT 300 RESOURCE_LOCK wine_display
      ENVIRONMENT "BRIVANE_BUILD_DIR=${CMAKE_BINARY_DIR}")
  add_test(NAME test_run_script_crashes
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/run_crash_test.sh $<TARGET_FILE:crashes>)
  set_tests_properties(test_run_script_crashes PROPERTIES TIMEOUT 300
      ENVIRONMENT "BRIVANE_BUILD_DIR=${CMAKE_BINARY_DIR}")
else()
  # test.sh's count of a suite, on made-up test executables.
  add_test(NAME test_suite_count COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/suite_test.sh ${CMAKE_COMMAND})
  set_tests_properties(test_suite_count PROPERTIES TIMEOUT 120)
endif()

# The verdict on a test executable (scripts/run-test.sh), in each build on
# its own kind of program: a crash, an exit inside a test, a failure that
# follows from an earlier test, one that passes its second run.
brivane_enable_gtest()
add_executable(verdict_probe ${CMAKE_CURRENT_LIST_DIR}/verdict_probe.cpp)
target_link_libraries(verdict_probe PRIVATE brivane_test_main)
if(BRIVANE_WINDOWS)
  target_link_options(verdict_probe PRIVATE -mconsole)
endif()
add_test(NAME test_verdicts COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/verdict_test.sh $<TARGET_FILE:verdict_probe>)
set_tests_properties(test_verdicts PROPERTIES TIMEOUT 300)
