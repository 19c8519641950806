# Spectrum drawing: the portable geometry natively and under Wine; the
# drawing itself into metafiles and memory DCs in the Windows build.
brivane_test(test_onedim_drawing_portable
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/drawing_portable_test.cpp
  LIBS onedim_core)
brivane_test(test_onedim_drawing WINDOWS_ONLY
  SOURCES ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/drawing_test.cpp
  LIBS onedim_ui fw_win)
