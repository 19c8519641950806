brivane_test(test_onedim_bruker
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/bruker_params_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bruker_import_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bruker_document_test.cpp
  LIBS onedim_core)
