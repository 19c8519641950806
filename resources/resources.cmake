# Resource scripts of both programs (Windows build only).
if(BRIVANE_WINDOWS)
  enable_language(RC)
  set(BRIVANE_ONEDIM_RESOURCES ${CMAKE_CURRENT_LIST_DIR}/brivane.rc)
  set(BRIVANE_NDIM_RESOURCES ${CMAKE_CURRENT_LIST_DIR}/brivanend.rc)
endif()
