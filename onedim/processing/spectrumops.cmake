list(APPEND ONEDIM_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/SpectrumPhase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpectrumSignal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpectrumNoise.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PolarConversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PeakPicking.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MeasureJ.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Integral.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProcessingState.cpp
)
