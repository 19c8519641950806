# The 1D view's redraw after a transform of a 256K-point spectrum, display
# data recomputed.
brivane_benchmark(bench_view_redraw SOURCES ${CMAKE_CURRENT_LIST_DIR}/view_redraw_bench.cpp LIBS onedim_plot)
