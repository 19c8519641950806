# A user's whole road on a 256K-point FID: open, apodize, transform with
# autophase, draw.
brivane_benchmark(bench_road SOURCES ${CMAKE_CURRENT_LIST_DIR}/road_bench.cpp LIBS onedim_document)
if(TARGET bench_road)
  target_compile_definitions(bench_road PRIVATE BRIVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
