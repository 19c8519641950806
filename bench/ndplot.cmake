# The 2D plots: contour and raster geometry of a full repaint (native), and
# the same repaint drawn through GDI (a Windows program, run under Wine).
brivane_benchmark(bench_nd_plot SOURCES ${CMAKE_CURRENT_LIST_DIR}/nd_plot_bench.cpp LIBS ndim_plot)
if(BRIVANE_WINDOWS)
  brivane_tool(nd_draw_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/nd_draw_bench.cpp LIBS ndim_view)
  set_target_properties(nd_draw_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  brivane_windows_code(nd_draw_bench)
endif()
