# Spectrum drawing: the trace's pixel columns.
brivane_benchmark(bench_trace SOURCES ${CMAKE_CURRENT_LIST_DIR}/trace_bench.cpp LIBS onedim_plot)
