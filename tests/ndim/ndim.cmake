# The 2D data set, its file, its command language and kernels (portable).
brivane_test(test_ndim
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/NdFourierTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Spectrum2DTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandInterpreterTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Bv2FileTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RegionsAndBaselineTest.cpp
  LIBS ndim_core)
