# The 1D document core, its native file, the dispatcher, the history list
# and the data buffer, without windows; the spectrum probe run as a program;
# in the Windows build also the clipboard text.
set(_document_tests
    ${CMAKE_CURRENT_LIST_DIR}/document_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bvx_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/probe_test.cpp)
set(_document_libs onedim_core)
if(BRIVANE_WINDOWS)
  # Only the clipboard routine of the window code, so that this test does
  # not wait for the rest of the program's windows.
  list(APPEND _document_tests
       ${CMAKE_CURRENT_LIST_DIR}/clipboard_test.cpp
       ${CMAKE_SOURCE_DIR}/onedim/document/DataBufferClipboard.cpp)
endif()
brivane_test(test_onedim_document SOURCES ${_document_tests} LIBS ${_document_libs})
target_compile_definitions(test_onedim_document PRIVATE SPECTRUM_PROBE_PATH="$<TARGET_FILE:spectrum_probe>")
add_dependencies(test_onedim_document spectrum_probe)
