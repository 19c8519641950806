# The grid's comma-separated file reader, and its writer on what it reads.
brivane_fuzzer(fuzz_grid_file
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_file_fuzz.cpp
  LIBS controls_grid)
