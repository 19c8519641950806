# The JCAMP-DX importer on whole files, and its ordinate decoder alone.
brivane_fuzzer(fuzz_jcamp
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/jcamp_fuzz.cpp
  LIBS onedim_document)
brivane_fuzzer(fuzz_jcamp_asdf
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/asdf_fuzz.cpp
  LIBS onedim_document)
