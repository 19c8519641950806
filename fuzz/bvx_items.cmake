# The .bvx items trailer and the item records of the embedded objects.
brivane_fuzzer(fuzz_bvx_items
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bvx_items_fuzz.cpp
  LIBS onedim_document)
