# One libFuzzer target per fixed-layout importer, all from the same source.
# Each entry: target name, importer class, parameter file beside the data
# (empty when the format has none).
set(_fixed_fuzzers
  "fuzz_import_aspect|CAspectImporter|"
  "fuzz_import_varian|CVarianImporter|procpar"
  "fuzz_import_jeol|CJeolImporter|data.gxp"
  "fuzz_import_nicolet|CNicoletImporter|"
  "fuzz_import_vhelper|CVhelperImporter|ACQPAR"
  "fuzz_import_nuts|CNutsImporter|"
  "fuzz_import_swanmr|CSwanMrImporter|"
  "fuzz_import_tecmag|CTecmagImporter|"
  "fuzz_import_siemens|CSiemensImporter|")
foreach(_entry IN LISTS _fixed_fuzzers)
  string(REPLACE "|" ";" _parts "${_entry}")
  list(GET _parts 0 _name)
  list(GET _parts 1 _class)
  list(LENGTH _parts _count)
  set(_param "")
  if(_count GREATER 2)
    list(GET _parts 2 _param)
  endif()
  brivane_fuzzer(${_name}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/fixed_import_fuzz.cpp
    LIBS onedim_document)
  if(TARGET ${_name})
    target_compile_definitions(${_name} PRIVATE FIXED_IMPORTER=${_class} "FIXED_PARAM_FILE=\"${_param}\"")
  endif()
endforeach()
unset(_fixed_fuzzers)
unset(_entry)
unset(_parts)
unset(_name)
unset(_class)
unset(_count)
unset(_param)
