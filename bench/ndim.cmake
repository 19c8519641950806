# The 2D processing: a whole hypercomplex set, and the 2D transform against FFTW.
if(BRIVANE_FFTW3F)
  brivane_benchmark(bench_ndim SOURCES ${CMAKE_CURRENT_LIST_DIR}/ndim_bench.cpp
                    LIBS ndim_core ${BRIVANE_FFTW3F})
endif()
