// Resource numbers of the printing and preview tests.
#pragma once

#define IDR_PRINT_MAINFRAME 128
#define IDR_PAGETYPE 129
#define IDD_MY_PREVIEW_BAR 236
