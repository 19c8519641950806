# The 2D data set, its file, the processing command language and its kernels.
list(APPEND NDIM_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/Spectrum2D.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IntegrationBlock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Bv2File.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NdFourier.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NdPhase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NdWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NdProcessing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NdPrediction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NdFidFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NdBaselineFit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandInterpreter.cpp
)
