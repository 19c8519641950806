# The 1D document core, its native file, the dispatcher, the history list
# and the data buffer, without windows; and the spectrum probe run as a
# program.
brivane_test(test_onedim_document
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/document_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bvx_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/probe_test.cpp
  LIBS onedim_core)
target_compile_definitions(test_onedim_document PRIVATE SPECTRUM_PROBE_PATH="$<TARGET_FILE:spectrum_probe>")
add_dependencies(test_onedim_document spectrum_probe)
