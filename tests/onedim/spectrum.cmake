brivane_test(test_onedim_spectrum
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/spectrum_record_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/spectrum_ops_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/spectrum_parts_test.cpp
  LIBS onedim_core)
