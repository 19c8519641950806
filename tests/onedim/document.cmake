# The 1D document core, its native file, the dispatcher, the history list
# and the data buffer, without windows.
brivane_test(test_onedim_document
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/document_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bvx_file_test.cpp
  LIBS onedim_core)
