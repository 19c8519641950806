brivane_test(test_framework_base_strings
             SOURCES ${CMAKE_CURRENT_LIST_DIR}/string_test.cpp
                     ${CMAKE_CURRENT_LIST_DIR}/collection_test.cpp
             LIBS fw_base)
