# The display objects every spectrum owns (axis scale, coloured fonts, text
# labels) and the portable geometry of the drawing.
list(APPEND ONEDIM_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/AxisScale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColourFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpectrumTrace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlotMarker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Graph.cpp
)
if(BRIVANE_WINDOWS)
  # A coloured font owns its GDI font, and spectra own coloured fonts: that
  # GDI half goes into the model library of the Windows build.
  list(APPEND ONEDIM_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/ColourFontWin.cpp)
endif()
