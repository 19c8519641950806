# The 1D program's start: application, frames, the framework document over
# the portable core, the registry store, the history window.
list(APPEND ONEDIM_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/RegistryStore.cpp
)
