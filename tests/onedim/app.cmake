# The 1D program as users meet it: the registry store over the real
# registry, the frames and windows, and brivane23.exe itself started under
# Wine and driven by its command ids.
brivane_test(test_onedim_app WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/registry_store_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/app_window_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/hide_splitter_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/app_program_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/BrivaneProcess.cpp
          ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp
          ${BRIVANE_ONEDIM_RESOURCES}
  LIBS onedim_ui fw_win shlwapi)
if(TARGET test_onedim_app)
  target_compile_definitions(test_onedim_app PRIVATE BRIVANE_APP_PATH="$<TARGET_FILE:brivane23>")
  add_dependencies(test_onedim_app brivane23)
endif()
