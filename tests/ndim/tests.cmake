# The 2D program's portable layer: data set, readers, command language,
# processing kernels.
file(GLOB _ndim_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*/*.cpp)
list(FILTER _ndim_tests EXCLUDE REGEX "/(handoff|app)/[^/]*$")
brivane_test(test_ndim SOURCES ${_ndim_tests} LIBS ndim_core)
target_compile_definitions(test_ndim PRIVATE ND_PROBE_PATH="$<TARGET_FILE:nd_probe>")
add_dependencies(test_ndim nd_probe)

# The hand-off of traces to the 1D program and reading them back.
brivane_folder_test(test_ndim_handoff DIR ndim/handoff LIBS ndim_handoff)
