# Window tests of the framework core, with their own resources.
brivane_test(test_framework_win WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/wnd_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/app_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/dialog_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/gdi_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/controls_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/framework_win_test.rc
  LIBS fw_win)
