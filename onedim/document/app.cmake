# The 1D program's start: application, frames, the framework document over
# the portable core, the registry store, the history window.
list(APPEND ONEDIM_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/RegistryStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrivaneProApp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrivaneDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChildFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HideSplitterWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AboutDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HistoryDialog.cpp
)
