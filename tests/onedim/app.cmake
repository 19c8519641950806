# The 1D program as users meet it: the registry store over the real
# registry, the frames and windows, and brivane23.exe itself started under
# Wine and driven by its command ids.
brivane_test(test_onedim_app WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/registry_store_test.cpp
  LIBS onedim_ui fw_win)
