# Resource scripts of both programs (Windows build only).
if(BRIVANE_WINDOWS)
  enable_language(RC)
  set(BRIVANE_ONEDIM_RESOURCES ${CMAKE_CURRENT_LIST_DIR}/brivane.rc)
  set(BRIVANE_NDIM_RESOURCES ${CMAKE_CURRENT_LIST_DIR}/brivanend.rc)
endif()

# The resource compiler records no dependencies, so a changed included
# script, header, icon or bitmap would leave a stale resource in an
# incremental build. Called once every target exists: every resource script
# of every folder depends on all the files here.
function(brivane_track_resource_inputs)
  if(NOT BRIVANE_WINDOWS)
    return()
  endif()
  set(here ${CMAKE_SOURCE_DIR}/resources)
  file(GLOB_RECURSE inputs CONFIGURE_DEPENDS ${here}/*.rc ${here}/*.h ${here}/*.ico ${here}/*.bmp ${here}/*.cur
       ${here}/*.avi)
  set(dirs ${CMAKE_SOURCE_DIR})
  set(i 0)
  list(LENGTH dirs count)
  while(i LESS count)
    list(GET dirs ${i} dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
    list(LENGTH dirs count)
    math(EXPR i "${i} + 1")
  endwhile()
  foreach(dir IN LISTS dirs)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(sources ${target} SOURCES)
      list(FILTER sources INCLUDE REGEX "\\.rc$")
      if(sources)
        set_source_files_properties(${sources} DIRECTORY ${dir} PROPERTIES OBJECT_DEPENDS "${inputs}")
      endif()
    endforeach()
  endforeach()
endfunction()
