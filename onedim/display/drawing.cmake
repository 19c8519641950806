# Drawing of spectra, axes, labels, markers and graphs; the XY plot and line
# sample controls.
list(APPEND ONEDIM_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/SpectrumDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AxisScaleDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextLabelDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColourFontDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlotMarkerDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XYPlotCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LineSample.cpp
)
