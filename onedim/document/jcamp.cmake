# The JCAMP-DX importer (type 8) with its ordinate decoder, and the ASCII
# export with the file name handling of its save dialog.
list(APPEND ONEDIM_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/TextString.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JcampDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportJcamp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrivaneProDocJcamp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AsciiExport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExportFilter.cpp
)
# The dialogs; their templates are in resources/export_dialogs.rc.
list(APPEND ONEDIM_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/FileExportDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExportAsciiDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExportOptionsDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AsciiExportDialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JcampWaitDialog.cpp
)
