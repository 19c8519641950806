# The import dialogs of the 1D program: File > Open's file dialog and the
# two questions about missing parameters, which the program's document
# installs as its missing-parameters policy.
list(APPEND ONEDIM_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/LogEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportFileDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportErrorsDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditParametersDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MissingParametersDialogs.cpp
)
