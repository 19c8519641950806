# The Bruker XWIN-NMR and WinNMR importers: each parameter reader alone, and
# each data path end to end on an experiment folder cut from the input.
set(_bruker_readers acqus procs title dis)
foreach(_i RANGE 1 4)
  math(EXPR _k "${_i} - 1")
  list(GET _bruker_readers ${_k} _reader)
  brivane_fuzzer(fuzz_bruker_${_reader}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/bruker_params_fuzz.cpp
    LIBS onedim_document)
  if(TARGET fuzz_bruker_${_reader})
    target_compile_definitions(fuzz_bruker_${_reader} PRIVATE BRUKER_FUZZ_READER=${_i})
  endif()
endforeach()

set(_bruker_paths fid ser processed winnmr_fid winnmr_processed)
foreach(_i RANGE 1 5)
  math(EXPR _k "${_i} - 1")
  list(GET _bruker_paths ${_k} _path)
  brivane_fuzzer(fuzz_bruker_${_path}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/bruker_import_fuzz.cpp
    LIBS onedim_document)
  if(TARGET fuzz_bruker_${_path})
    target_compile_definitions(fuzz_bruker_${_path} PRIVATE BRUKER_FUZZ_PATH=${_i})
  endif()
endforeach()
