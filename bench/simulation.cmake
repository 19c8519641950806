# The spin simulation engine against whole-matrix diagonalisation.
brivane_benchmark(bench_spin_simulation SOURCES ${CMAKE_CURRENT_LIST_DIR}/spin_simulation_bench.cpp
                  LIBS onedim_simulation)
