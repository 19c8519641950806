# The 1D program's tests, one executable per folder of the program.
brivane_folder_test(test_onedim_model DIR onedim/model LIBS onedim_processing)
brivane_folder_test(test_onedim_plot DIR onedim/plot LIBS onedim_plot)
brivane_folder_test(test_onedim_import DIR onedim/import LIBS onedim_import)
brivane_folder_test(test_onedim_export DIR onedim/export LIBS onedim_export)
brivane_folder_test(test_onedim_processing DIR onedim/processing LIBS onedim_processing)
brivane_folder_test(test_onedim_simulation DIR onedim/simulation LIBS onedim_simulation)
brivane_folder_test(test_onedim_document DIR onedim/document LIBS onedim_document)
target_compile_definitions(test_onedim_document PRIVATE SPECTRUM_PROBE_PATH="$<TARGET_FILE:spectrum_probe>")
add_dependencies(test_onedim_document spectrum_probe)

brivane_folder_test(test_onedim_view WINDOWS_ONLY DIR onedim/view SOURCES ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp
  LIBS onedim_view onedim_dialogs)
brivane_folder_test(test_onedim_dialogs WINDOWS_ONLY
  DIR onedim/dialogs/files onedim/dialogs/process onedim/dialogs/analysis onedim/dialogs/simulation
      onedim/dialogs/display onedim/dialogs/shell
  SOURCES ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp ${BRIVANE_ONEDIM_RESOURCES} LIBS onedim_dialogs)
# Print jobs, list printing and the preview on the real PDF printer.
brivane_folder_test(test_onedim_print WINDOWS_ONLY DIR onedim/print
  SOURCES ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp ${CMAKE_SOURCE_DIR}/tests/framework/win/PdfOutput.cpp
          ${BRIVANE_ONEDIM_RESOURCES}
  LIBS onedim_print onedim_dialogs winspool)
if(TARGET test_onedim_print)
  set_tests_properties(test_onedim_print PROPERTIES FIXTURES_REQUIRED pdf_printer)
endif()
brivane_folder_test(test_onedim_app WINDOWS_ONLY DIR onedim/app
  SOURCES ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp ${CMAKE_SOURCE_DIR}/tests/framework/win/PdfOutput.cpp
          ${BRIVANE_ONEDIM_RESOURCES}
  LIBS onedim_app shlwapi)
if(TARGET test_onedim_app)
  # The 2D program serves the graph a 1D document embeds.
  target_compile_definitions(test_onedim_app PRIVATE BRIVANE_APP_PATH="$<TARGET_FILE:brivane23>"
    BRIVANEND_APP_PATH="$<TARGET_FILE:BrivanenD>")
  add_dependencies(test_onedim_app brivane23 BrivanenD)
  set_tests_properties(test_onedim_app PROPERTIES FIXTURES_REQUIRED pdf_printer)
endif()
# FID sound plays into an ALSA file device over the null device.
if(TARGET test_onedim_view)
  set(_sound_file ${CMAKE_CURRENT_BINARY_DIR}/fid_sound.raw)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/fid_sound_alsa.conf
    "pcm.!default { type file slave { pcm { type null } } file \"${_sound_file}\" format \"raw\" }\n")
  set_property(TEST test_onedim_view APPEND PROPERTY ENVIRONMENT
    "ALSA_CONFIG_PATH=${CMAKE_CURRENT_BINARY_DIR}/fid_sound_alsa.conf" "BRIVANE_SOUND_FILE=${_sound_file}")
endif()
