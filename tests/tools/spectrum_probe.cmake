# A console probe of the 1D import dispatcher, the native file and the spin
# engine, used by tests in both builds.
brivane_tool(spectrum_probe
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/spectrum_probe.cpp
  LIBS onedim_document onedim_simulation)
