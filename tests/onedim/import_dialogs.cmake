# The import dialogs of the 1D program, driven under Wine through the
# framework's dialog hooks, with their templates compiled in.
brivane_test(test_onedim_import_dialogs WINDOWS_ONLY
  SOURCES ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/import_file_dialog_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/missing_parameters_dialogs_test.cpp
          ${CMAKE_SOURCE_DIR}/resources/import_dialogs.rc
  LIBS onedim_ui fw_win)
