# The JCAMP-DX importer, its decoder and the ASCII export; in the Windows
# build also their dialogs, with the program's templates.
set(_jcamp_tests
  ${CMAKE_CURRENT_LIST_DIR}/jcamp_decoder_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jcamp_import_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ascii_export_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jcamp_document_test.cpp)
set(_jcamp_libs onedim_core)
if(BRIVANE_WINDOWS)
  list(APPEND _jcamp_tests
    ${CMAKE_CURRENT_LIST_DIR}/export_dialogs_test.cpp
    ${CMAKE_SOURCE_DIR}/resources/export_dialogs.rc)
  set(_jcamp_libs onedim_ui)
endif()
brivane_test(test_onedim_jcamp SOURCES ${_jcamp_tests} LIBS ${_jcamp_libs})
target_compile_definitions(test_onedim_jcamp PRIVATE SPECTRUM_PROBE_PATH="$<TARGET_FILE:spectrum_probe>")
add_dependencies(test_onedim_jcamp spectrum_probe)
