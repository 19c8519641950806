# The clipboard, OLE drag and drop, the rectangle tracker and docking bars
# with the mouse.
brivane_test(test_framework_interaction WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/Interaction.cpp
          ${CMAKE_CURRENT_LIST_DIR}/clipboard_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ole_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ole_client_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tracker_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/docking_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/interaction_test.rc
  LIBS fw_win)
