# The 1D document's .bvx reader (and, for files that read, the writer).
brivane_fuzzer(fuzz_bvx
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bvx_fuzz.cpp
  LIBS onedim_document)
