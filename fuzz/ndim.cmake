# The .bv2 reader and the 2D command interpreter.
brivane_fuzzer(fuzz_bv2_reader
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bv2_reader_fuzz.cpp
  LIBS ndim_core)
brivane_fuzzer(fuzz_nd_script
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/nd_script_fuzz.cpp
  LIBS ndim_core)
# The readers of spectrometer 2D files, each end to end on files cut from
# the input: Bruker, Varian, and whatever detection finds (Aspect, .bv2).
set(_nd_readers bruker varian detected)
foreach(_i RANGE 1 3)
  math(EXPR _k "${_i} - 1")
  list(GET _nd_readers ${_k} _reader)
  brivane_fuzzer(fuzz_nd_${_reader}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/nd_import_fuzz.cpp
    LIBS ndim_core)
  if(TARGET fuzz_nd_${_reader})
    target_compile_definitions(fuzz_nd_${_reader} PRIVATE ND_FUZZ_READER=${_i})
  endif()
endforeach()
# The Ramp editor's .PAL files.
brivane_fuzzer(fuzz_palette_file
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/palette_file_fuzz.cpp
  LIBS ndim_document)
