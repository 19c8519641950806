# The run script's failure paths: a broken build, a program that cannot load
# a DLL it needs, a program that never shows a window, a 32-bit program on a
# machine that does not run them; a crashing program ends at once.
if(BRIVANE_WINDOWS)
  # A DLL kept out of the test program's folder, so the program cannot start.
  add_library(brivane_absent SHARED ${CMAKE_CURRENT_LIST_DIR}/absent_dll.c)
  set_target_properties(brivane_absent PROPERTIES PREFIX ""
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/dll_elsewhere)
  add_executable(needs_absent_dll ${CMAKE_CURRENT_LIST_DIR}/needs_absent_dll.c)
  target_link_libraries(needs_absent_dll PRIVATE brivane_absent)
  add_executable(shows_no_window ${CMAKE_CURRENT_LIST_DIR}/shows_no_window.c)
  add_executable(crashes ${CMAKE_CURRENT_LIST_DIR}/crashes.c)
  foreach(t needs_absent_dll shows_no_window crashes)
    set_target_properties(${t} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/run_probes)
    target_link_options(${t} PRIVATE -mconsole)
  endforeach()
  add_test(NAME test_run_script
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/run_script_test.sh
            $<TARGET_FILE:needs_absent_dll> $<TARGET_FILE:shows_no_window> $<TARGET_FILE:crashes>)
  set_tests_properties(test_run_script PROPERTIES TIMEOUT 300 RESOURCE_LOCK wine_display
      ENVIRONMENT "BRIVANE_BUILD_DIR=${CMAKE_BINARY_DIR}")
endif()
