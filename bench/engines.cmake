# Processing engines: the transform against FFTW, and linear prediction.
if(BRIVANE_FFTW3F)
  brivane_benchmark(bench_fft SOURCES ${CMAKE_CURRENT_LIST_DIR}/fft_bench.cpp
                    LIBS onedim_processing ${BRIVANE_FFTW3F})
endif()
brivane_benchmark(bench_linear_prediction SOURCES ${CMAKE_CURRENT_LIST_DIR}/linear_prediction_bench.cpp
                  LIBS onedim_processing)
# Import, weighting and transform of a real FID through the document.
brivane_benchmark(bench_process SOURCES ${CMAKE_CURRENT_LIST_DIR}/process_bench.cpp LIBS onedim_document)
if(TARGET bench_process)
  target_compile_definitions(bench_process PRIVATE BRIVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
# The window functions against their former weights.
brivane_benchmark(bench_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_bench.cpp LIBS onedim_model)
# Automatic phase correction of a real spectrum against the former search.
brivane_benchmark(bench_autophase SOURCES ${CMAKE_CURRENT_LIST_DIR}/autophase_bench.cpp LIBS onedim_document)
if(TARGET bench_autophase)
  target_compile_definitions(bench_autophase PRIVATE BRIVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
