// Template and control numbers of the 1D program's import dialogs: the file
// dialog's appended template, "Importing errors" and "Edit Parameters".
#pragma once

// Dialog templates.
#define IDD_IMPORT_FILE 130  // appended below the system's open dialog
#define IDD_IMPORT_ERRORS 132
#define IDD_EDIT_PARAMETERS 133

// The import file dialog.
#define IDC_IMPORT_FILE_LIST 1001
#define IDC_IMPORT_FILE_TYPE 1002
#define IDC_IMPORT_ADD_FILE 1003
#define IDC_IMPORT_REMOVE_FILE 1004
#define IDC_IMPORT_LIST_TEXT 1083
#define IDC_IMPORT_SEVERAL 1084
#define IDC_IMPORT_SEVERAL_TEXT 1085
#define IDC_IMPORT_TYPE_LABEL 1324

// "Importing errors".
#define IDC_IMPORT_ERRORS_LOG 1005

// "Edit Parameters".
#define IDC_PARAM_SF 1007
#define IDC_PARAM_SW 1008
#define IDC_PARAM_TD 1009
#define IDC_PARAM_SF_LABEL 1015
#define IDC_PARAM_SW_LABEL 1016
#define IDC_PARAM_TD_LABEL 1017
#define IDC_PARAM_OK 1018
#define IDC_PARAM_BYTE_ORDER 1019
#define IDC_PARAM_BYTE_ORDER_LABEL 1020
