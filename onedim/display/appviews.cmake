# The views of a 1D document window: the 1D view and the dual display's full view.
list(APPEND ONEDIM_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/BrivaneProView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FullView.cpp
)
