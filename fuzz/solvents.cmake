# The reader of the list of reference signals (solvents.map).
brivane_fuzzer(fuzz_solvents
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/solvents_fuzz.cpp
  LIBS onedim_model)
