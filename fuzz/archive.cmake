brivane_fuzzer(fuzz_archive
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/archive_fuzz.cpp
  LIBS fw_base)
