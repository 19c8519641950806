# Window tests of the dialog controls, with their own resources.
brivane_folder_test(test_controls WINDOWS_ONLY DIR controls
  SOURCES ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp ${CMAKE_CURRENT_LIST_DIR}/controls_test.rc
  LIBS brivane_controls)
brivane_small_disks(test_controls)
