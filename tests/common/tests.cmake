# What both programs share: the registry store over the real registry, and
# the windows both shells use.
brivane_folder_test(test_common WINDOWS_ONLY DIR common
  SOURCES ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp ${CMAKE_CURRENT_LIST_DIR}/common_test.rc
  LIBS brivane_common)
