# Processing engines: Fourier transform, window functions, numerical
# routines, linear prediction.
brivane_test(test_onedim_engines
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/FastFourier_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowFunction_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NumericalRoutines_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LinearPrediction_test.cpp
  LIBS onedim_core)
