# The grid's painting: the layout work of one frame, at a thousand and at a
# hundred thousand rows.
brivane_benchmark(bench_grid SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_bench.cpp LIBS controls_grid)
