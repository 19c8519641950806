# The display path under Wine: a real window, a memory DC, a pixel read back.
brivane_test(test_display_smoke WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/smoke_test.cpp
  LIBS gdi32 user32)
