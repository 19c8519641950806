brivane_test(test_framework_base_core
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/object_test.cpp
  LIBS fw_base)
