# Writes samples/sample.bvx, the document the run script opens.
brivane_tool(bvx_sample
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bvx_sample.cpp
  LIBS onedim_document)
