# The BMP reader of the 2D program's bitmaps.
brivane_fuzzer(fuzz_dib_reader
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/dib_reader_fuzz.cpp
  LIBS ndim_plot)
