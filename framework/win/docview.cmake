# The document/view layer of the Win32 framework: documents, views,
# templates and the document manager, MDI frames, control bars, splitters
# and property sheets.
list(APPEND FW_WIN_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/ControlBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocTemplate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MDIChildWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MDIFrameWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PropertyPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PropertySheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecentFileList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SplitterWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatusBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/View.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinAppDoc.cpp
)
