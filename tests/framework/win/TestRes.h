// Resource numbers of the framework's window tests.
#pragma once

#define IDD_VALUES 100
#define IDD_MODELESS 101
#define IDD_REFLECT 102
#define IDD_FILE_CHILD 103

#define IDC_INT 1001
#define IDC_DOUBLE 1002
#define IDC_TEXT 1003
#define IDC_CHECK 1004
#define IDC_RADIO1 1005
#define IDC_RADIO2 1006
#define IDC_RADIO3 1007
#define IDC_COMBO 1008
#define IDC_LIST 1009
#define IDC_BUTTON 1010
#define IDC_UINT 1011
#define IDC_LONG 1012
#define IDC_FLOAT 1013
#define IDC_SLIDER 1014
#define IDC_EDIT_COMBO 1015

#define IDR_FRAME 200
#define IDS_PROMPT 300

#define ID_TEST_VIEW 40001
#define ID_TEST_DOC 40002
#define ID_TEST_FRAME 40003
#define ID_TEST_APP 40004
#define ID_TEST_NOBODY 40005
#define ID_TEST_TOGGLE 40006
#define ID_TEST_RANGE_FIRST 40010
#define ID_TEST_RANGE_LAST 40014
