// Resource numbers of the magnifying glass, which both programs hold: its
// cursor and its settings dialog.
#pragma once

#define IDC_CURSOR_MAGNIFIER 300
#define IDD_MAGNIFIER_SETTINGS 301
#define IDC_MAGNIFIER_SIZE 1275
#define IDC_MAGNIFIER_ZOOM 1276
#define IDC_MAGNIFIER_RECTANGULAR 1335
