# The document/view layer of the Win32 framework: documents, views,
# templates and the document manager, MDI frames, control bars, splitters
# and property sheets.
list(APPEND FW_WIN_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/ControlBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocTemplate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MDIChildWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MDIFrameWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecentFileList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/View.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinAppDoc.cpp
)
