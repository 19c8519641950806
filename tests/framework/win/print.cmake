# Printing and print preview on the real printer: the PDF printer of CUPS,
# set up (idempotently) by the first entry for the ones that need it.
if(BRIVANE_WINDOWS)
  add_test(NAME printer_setup COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/printer.sh)
  set_tests_properties(printer_setup PROPERTIES FIXTURES_SETUP pdf_printer TIMEOUT 120)
endif()
brivane_test(test_framework_print WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/PrintFixture.cpp
          ${CMAKE_CURRENT_LIST_DIR}/PdfOutput.cpp
          ${CMAKE_CURRENT_LIST_DIR}/print_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/preview_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/print_test.rc
  LIBS fw_win winspool)
if(BRIVANE_WINDOWS)
  set_tests_properties(test_framework_print PROPERTIES FIXTURES_REQUIRED pdf_printer)
endif()
