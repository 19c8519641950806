# Runs 2D command scripts, or the Fourier Transform dialog's first choices, on
# .bv2 files (tests of the 2D processing); in the
# Windows builds it also draws a set into a BMP (tests of the 2D plots).
brivane_tool(nd_probe SOURCES ${CMAKE_CURRENT_LIST_DIR}/nd_probe.cpp LIBS ndim_document)
if(BRIVANE_WINDOWS)
  target_link_libraries(nd_probe PRIVATE ndim_view)
  brivane_windows_code(nd_probe)
endif()
