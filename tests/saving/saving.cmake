# Every writer of both programs against a read-only file, a read-only
# folder and a full disk, in both builds (under Wine, the Windows half of
# the file layer). The small disks are mounted around the run where the
# machine allows (small_disks.sh).
brivane_folder_test(test_save_roads DIR saving
  LIBS onedim_document onedim_export ndim_document ndim_handoff controls_grid)

set(BRIVANE_SMALL_DISKS ${CMAKE_CURRENT_BINARY_DIR}/small_disks)
add_test(NAME small_disks_mount COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/small_disks.sh mount ${BRIVANE_SMALL_DISKS})
add_test(NAME small_disks_unmount COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/small_disks.sh unmount ${BRIVANE_SMALL_DISKS})
set_tests_properties(small_disks_mount PROPERTIES FIXTURES_SETUP small_disks)
set_tests_properties(small_disks_unmount PROPERTIES FIXTURES_CLEANUP small_disks)
# brivane_small_disks(TEST): the test runs with the disks mounted and told
# where they are.
function(brivane_small_disks name)
  if(TARGET ${name})
    set_property(TEST ${name} APPEND PROPERTY FIXTURES_REQUIRED small_disks)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "BRIVANE_SMALL_DISKS=${BRIVANE_SMALL_DISKS}")
  endif()
endfunction()
brivane_small_disks(test_save_roads)
