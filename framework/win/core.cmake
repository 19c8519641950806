# The Win32 framework core: application, message maps, windows, GDI,
# dialogs, data exchange, controls, menus and common dialogs.
list(APPEND FW_WIN_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/CmdTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CmdUI.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandLineInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommonControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommonDialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataExchange.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Dc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GdiObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImageList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MetaFileDC.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResourceException.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UiHooks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinApp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Wnd.cpp
)
