# The 2D program: the portable layer (data set, readers, command language,
# processing kernels, plot geometry) in one executable; the hand-off, the
# dialogs, the shell and the drawing under Windows in their own.
file(GLOB _ndim_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*/*.cpp)
list(FILTER _ndim_tests EXCLUDE REGEX "/(handoff|dialogs|app|view)/[^/]*$")
brivane_test(test_ndim SOURCES ${_ndim_tests} LIBS ndim_core ndim_plot ndim_document)
target_compile_definitions(test_ndim PRIVATE ND_PROBE_PATH="$<TARGET_FILE:nd_probe>")
add_dependencies(test_ndim nd_probe)

# The hand-off of traces to the 1D program and reading them back.
brivane_folder_test(test_ndim_handoff DIR ndim/handoff LIBS ndim_handoff ndim_plot ndim_document)

# The 2D program's dialogs, with its resources.
brivane_folder_test(test_ndim_dialogs WINDOWS_ONLY DIR ndim/dialogs
  SOURCES ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp ${CMAKE_CURRENT_LIST_DIR}/dialogs/nd_dialogs_test.rc
  LIBS ndim_dialogs)

# The 2D program's shell: the application, frames, document and views in
# the test's own process with the program's resources; the 1D program started
# for a hand-off (a stand-in for it, and the real one); BrivanenD.exe itself.
brivane_folder_test(test_ndim_app WINDOWS_ONLY DIR ndim/app
  SOURCES ${CMAKE_SOURCE_DIR}/tests/onedim/app/BrivaneProcess.cpp ${CMAKE_SOURCE_DIR}/tests/onedim/app/ProgramTestSupport.cpp
    ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp ${BRIVANE_NDIM_RESOURCES}
  LIBS ndim_app shlwapi)
if(TARGET test_ndim_app)
  add_executable(nd_stand_in_program ${CMAKE_CURRENT_LIST_DIR}/app/stand_in_program.c)
  target_link_options(nd_stand_in_program PRIVATE -mwindows)
  target_compile_definitions(test_ndim_app PRIVATE BRIVANE_APP_PATH="$<TARGET_FILE:brivane23>"
    BRIVANEND_APP_PATH="$<TARGET_FILE:BrivanenD>" ND_STAND_IN_PATH="$<TARGET_FILE:nd_stand_in_program>")
  add_dependencies(test_ndim_app brivane23 BrivanenD nd_stand_in_program)
endif()

# The drawing of 2D sets under Windows.
brivane_folder_test(test_ndim_view WINDOWS_ONLY DIR ndim/view
  SOURCES ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp LIBS ndim_view)
if(TARGET test_ndim_view)
  target_compile_definitions(test_ndim_view PRIVATE ND_PROBE_PATH="$<TARGET_FILE:nd_probe>")
  add_dependencies(test_ndim_view nd_probe)
endif()

# The graph view plays a set into an ALSA file device over the null device.
if(TARGET test_ndim_app)
  set(_nd_sound_file ${CMAKE_CURRENT_BINARY_DIR}/nd_sound.raw)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/nd_sound_alsa.conf
    "pcm.!default { type file slave { pcm { type null } } file \"${_nd_sound_file}\" format \"raw\" }\n")
  set_property(TEST test_ndim_app APPEND PROPERTY ENVIRONMENT
    "ALSA_CONFIG_PATH=${CMAKE_CURRENT_BINARY_DIR}/nd_sound_alsa.conf" "BRIVANE_SOUND_FILE=${_nd_sound_file}")
endif()
