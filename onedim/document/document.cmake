# The 1D document core: the document, its native file, the import
# dispatcher, the history list and the data buffer.
list(APPEND ONEDIM_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/BrivaneProDoc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrivaneProDocFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrivaneProDocImport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrivaneProDocRefresh.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImporterTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HistoryList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataBuffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsStore.cpp
)
list(APPEND ONEDIM_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/DataBufferClipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SumDataDialog.cpp
)
