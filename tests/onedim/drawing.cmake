# Spectrum drawing: the portable geometry natively and under Wine; the
# drawing itself into metafiles and memory DCs in the Windows build. The
# drawing sources are compiled in directly, so that the test does not wait
# on the rest of the window library.
brivane_test(test_onedim_drawing_portable
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/drawing_portable_test.cpp
  LIBS onedim_core)
set(DRAWING_SOURCES)
foreach(name SpectrumDraw AxisScaleDraw TextLabelDraw ColourFontDialog PlotMarkerDraw GraphDraw XYPlotCtrl LineSample)
  list(APPEND DRAWING_SOURCES ${CMAKE_SOURCE_DIR}/onedim/display/${name}.cpp)
endforeach()
brivane_test(test_onedim_drawing WINDOWS_ONLY
  SOURCES ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp
          ${DRAWING_SOURCES}
          ${CMAKE_CURRENT_LIST_DIR}/drawing_test.cpp
  LIBS onedim_core fw_win)
