# The fixed-layout importers and their decoders, on files built byte by byte
# and on the real Varian experiment.
brivane_test(test_onedim_importers
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/aspect_nicolet_import_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/varian_jeol_import_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/small_import_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fixed_import_document_test.cpp
  LIBS onedim_core)
