brivane_test(test_onedim_jcamp
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/jcamp_decoder_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jcamp_import_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ascii_export_test.cpp
  LIBS onedim_core)
