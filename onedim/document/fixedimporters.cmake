# The importers of fixed file layouts: Aspect, Varian, Jeol, GE/Nicolet,
# VHELPER, Nuts, SwaN-MR, TECMAG and SIEMENS, with the byte-order routines.
list(APPEND ONEDIM_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/ByteOrder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FixedImporter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportAspect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportVarian.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportJeol.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportNicolet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportVhelper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportNuts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportSwanMr.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportTecmag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportSiemens.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrivaneProDocFixed.cpp
)
