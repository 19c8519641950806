# Processing engines: Fourier transform, window functions, numerical
# routines, linear prediction. The transform's progress pump and the
# curve's drawing are window code: they and their tests join the executable
# in the Windows build.
set(ENGINES_TEST_WINDOWS)
set(ENGINES_TEST_WINLIBS)
if(BRIVANE_WINDOWS)
  set(ENGINES_TEST_WINDOWS
    ${CMAKE_SOURCE_DIR}/onedim/processing/TransformProgress.cpp
    ${CMAKE_SOURCE_DIR}/onedim/processing/WindowFunctionDraw.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TransformProgress_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowFunctionDraw_test.cpp)
  set(ENGINES_TEST_WINLIBS fw_win)
endif()
brivane_test(test_onedim_engines
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/FastFourier_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowFunction_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NumericalRoutines_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LinearPrediction_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FourierTransformStep_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LinearPredictionStep_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowFunctionStep_test.cpp
    ${ENGINES_TEST_WINDOWS}
  LIBS onedim_core ${ENGINES_TEST_WINLIBS})
