# Processing engines: Fourier transform, window functions, numerical
# routines, linear prediction.
list(APPEND ONEDIM_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/FastFourier.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowFunction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumericalAlloc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EigenSolver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinearFit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinearPrediction.cpp)
list(APPEND ONEDIM_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/FourierTransformStep.cpp)
list(APPEND ONEDIM_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/TransformProgress.cpp)
list(APPEND ONEDIM_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/WindowFunctionDraw.cpp)
list(APPEND ONEDIM_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/LinearPredictionStep.cpp)
list(APPEND ONEDIM_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/WindowFunctionStep.cpp)
