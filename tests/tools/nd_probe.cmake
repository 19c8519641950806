# Runs 2D command scripts on .bv2 files (tests of the 2D processing).
brivane_tool(nd_probe SOURCES ${CMAKE_CURRENT_LIST_DIR}/nd_probe.cpp LIBS ndim_core)
