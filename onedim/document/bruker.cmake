list(APPEND ONEDIM_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/ImportPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MissingParameters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrukerParams.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrukerData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportBruker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportWinNmr.cpp
)
list(APPEND ONEDIM_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/BrivaneProDocBruker.cpp
)
