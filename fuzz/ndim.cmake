# The .bv2 reader and the 2D command interpreter.
brivane_fuzzer(fuzz_bv2_reader
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bv2_reader_fuzz.cpp
  LIBS ndim_core)
brivane_fuzzer(fuzz_nd_script
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/nd_script_fuzz.cpp
  LIBS ndim_core)
