brivane_test(test_framework_base_core
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/object_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/endian_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_replace_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/archive_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/item_records_test.cpp
  LIBS fw_base)
