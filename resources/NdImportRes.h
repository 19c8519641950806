// Template and control numbers of the nD program's Import file dialog, the
// part appended below the system's open dialog.
#pragma once

#define IDD_ND_IMPORT_FILE 130
#define IDC_ND_IMPORT_FILE_TYPE 1002
#define IDC_ND_IMPORT_TYPE_LABEL 1324
