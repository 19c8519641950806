# The 2D program's portable layer: data set, readers, command language,
# processing kernels.
file(GLOB _ndim_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*/*.cpp)
brivane_test(test_ndim SOURCES ${_ndim_tests} LIBS ndim_core)
