# Spectrum drawing: the trace's pixel columns.
brivane_benchmark(bench_trace SOURCES ${CMAKE_CURRENT_LIST_DIR}/trace_bench.cpp LIBS onedim_plot)
# The 1D view's repaint: a 64K-point spectrum over 1280 pixels.
brivane_benchmark(bench_view_paint SOURCES ${CMAKE_CURRENT_LIST_DIR}/view_paint_bench.cpp LIBS onedim_plot)
# The same repaint drawn through GDI (a Windows program, run under Wine).
if(BRIVANE_WINDOWS)
  brivane_tool(view_draw_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/view_draw_bench.cpp LIBS onedim_view)
  set_target_properties(view_draw_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  brivane_windows_code(view_draw_bench)
endif()
