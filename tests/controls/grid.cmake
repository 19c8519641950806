# The grid's portable half (its file, its clipboard text, its row and column
# sizes) in both builds; its printing on the real PDF printer in the Windows
# build, apart from the other control tests since it needs the printer.
brivane_folder_test(test_controls_grid DIR controls/grid LIBS controls_grid)
brivane_test(test_controls_grid_print WINDOWS_ONLY
  SOURCES ${CMAKE_SOURCE_DIR}/tests/framework/win/WindowTest.cpp
          ${CMAKE_SOURCE_DIR}/tests/framework/win/PrintFixture.cpp
          ${CMAKE_SOURCE_DIR}/tests/framework/win/PdfOutput.cpp
          ${CMAKE_SOURCE_DIR}/tests/framework/win/print_test.rc
          ${CMAKE_CURRENT_LIST_DIR}/print/grid_print_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/print/grid_print_test.rc
  LIBS brivane_controls winspool)
if(BRIVANE_WINDOWS)
  set_tests_properties(test_controls_grid_print PROPERTIES FIXTURES_REQUIRED pdf_printer)
endif()
