# A console probe of the 1D import dispatcher and the native file, used by
# tests in both builds.
brivane_tool(spectrum_probe
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/spectrum_probe.cpp
  LIBS onedim_document)
