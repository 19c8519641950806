# Window tests of documents, views, frames, control bars, splitters and
# property sheets, with a test program's own resources.
brivane_test(test_framework_docview WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/DocViewFixture.cpp
          ${CMAKE_CURRENT_LIST_DIR}/docview_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/bars_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/splitter_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/sheet_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/docview_test.rc
  LIBS fw_win)
