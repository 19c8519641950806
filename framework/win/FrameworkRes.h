// The framework's standard resource and command numbers, shared by the
// programs' resource scripts and code. Plain #defines, so that windres reads
// this header too.
#pragma once

// Strings.
#define AFX_IDS_APP_TITLE 57344    // the program's name
#define AFX_IDS_IDLEMESSAGE 57345  // status-bar text when no prompt is shown

// File menu.
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_CLOSE 57602
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_PAGE_SETUP 57605
#define ID_FILE_PRINT_SETUP 57606
#define ID_FILE_PRINT 57607
#define ID_FILE_PRINT_DIRECT 57608
#define ID_FILE_PRINT_PREVIEW 57609
#define ID_FILE_SEND_MAIL 57612
// A document edited for a container: back into the container, or a copy to a file.
#define ID_FILE_UPDATE 57613
#define ID_FILE_SAVE_COPY_AS 57614
#define ID_FILE_MRU_FIRST 57616
#define ID_FILE_MRU_FILE1 57616
#define ID_FILE_MRU_FILE2 57617
#define ID_FILE_MRU_FILE3 57618
#define ID_FILE_MRU_FILE4 57619
#define ID_FILE_MRU_LAST 57631

// Edit menu.
#define ID_EDIT_CLEAR 57632
#define ID_EDIT_CLEAR_ALL 57633
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_FIND 57636
#define ID_EDIT_PASTE 57637
#define ID_EDIT_PASTE_LINK 57638
#define ID_EDIT_PASTE_SPECIAL 57639
#define ID_EDIT_REPEAT 57640
#define ID_EDIT_REPLACE 57641
#define ID_EDIT_SELECT_ALL 57642
#define ID_EDIT_UNDO 57643
#define ID_EDIT_REDO 57644

// Window menu.
#define ID_WINDOW_NEW 57648
#define ID_WINDOW_ARRANGE 57649
#define ID_WINDOW_CASCADE 57650
#define ID_WINDOW_TILE_HORZ 57651
#define ID_WINDOW_TILE_VERT 57652
#define ID_WINDOW_SPLIT 57653
// The MDI client numbers its children's Window-menu entries from here.
#define AFX_IDM_FIRST_MDICHILD 0xFF00

// Application and help.
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_HELP_INDEX 57666
#define ID_HELP_FINDER 57667
#define ID_HELP_USING 57668
#define ID_CONTEXT_HELP 57669
#define ID_HELP 57670
#define ID_DEFAULT_HELP 57671
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681

// OLE container commands.
#define ID_OLE_INSERT_NEW 57856
#define ID_OLE_EDIT_LINKS 57857
#define ID_OLE_VERB_FIRST 57872
#define ID_OLE_VERB_LAST 57887

// Control bars and their View-menu commands (a bar's window id is its command).
#define AFX_IDW_TOOLBAR 59392
#define AFX_IDW_STATUS_BAR 59393
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393

// Status-bar indicators.
#define ID_SEPARATOR 0
#define ID_INDICATOR_EXT 59136
#define ID_INDICATOR_CAPS 59137
#define ID_INDICATOR_NUM 59138
#define ID_INDICATOR_SCRL 59139

// Panes of a frame's client area (splitter panes count up from the first).
#define AFX_IDW_PANE_FIRST 59648
#define AFX_IDW_PANE_LAST 59903

// Dialog data exchange: combo and list items listed in the resources
// (resource type RT_DLGINIT, same id as the dialog).
#define RT_DLGINIT_ID 240
// Toolbars (resource type RT_TOOLBAR_ID): WORD version (1), glyph width,
// glyph height, button count, then one WORD command id per button (0: a
// separator). The glyphs are the bitmap resource of the same number, side
// by side in button order.
#define RT_TOOLBAR_ID 241

// Print preview: the bar's buttons, the bar's dialog template (when the
// program has one; otherwise the framework lays the buttons out itself) and
// the bar's window id.
#define AFX_ID_PREVIEW_CLOSE 58112
#define AFX_ID_PREVIEW_NUMPAGE 58113
#define AFX_ID_PREVIEW_NEXT 58114
#define AFX_ID_PREVIEW_PREV 58115
#define AFX_ID_PREVIEW_PRINT 58116
#define AFX_ID_PREVIEW_ZOOMIN 58117
#define AFX_ID_PREVIEW_ZOOMOUT 58118
#define AFX_IDD_PREVIEW_TOOLBAR 30721
#define AFX_IDW_PREVIEW_BAR 59395
// The hatched border of a document edited in its container's window.
#define AFX_IDW_RESIZE_BAR 59396
// Escape in a document edited in its container's window.
#define ID_CANCEL_EDIT_SRVR 57894

// Printing texts a program may put in its string table; the framework has
// words of its own for each one that is missing.
#define AFX_IDS_PRINTONPORT 61504      // "on %s": the port of a printer
#define AFX_IDS_ONEPAGE 61505          // the one/two page button showing one page
#define AFX_IDS_TWOPAGE 61506          // ... showing two pages
#define AFX_IDS_PRINTPAGENUM 61507     // "Page %u" in the printing dialog
#define AFX_IDS_PREVIEWPAGEDESC 61508  // "Page %u\nPages %u-%u\n": the preview's status text
#define AFX_IDS_PRINTDEFAULTEXT 61509  // print to file: default extension
#define AFX_IDS_PRINTDEFAULT 61510     // ... default file name
#define AFX_IDS_PRINTFILTER 61511      // ... filter
#define AFX_IDS_PRINTCAPTION 61512     // ... caption
#define AFX_IDS_PRINTTOFILE 61513      // "to %s": the file printed to
#define AFX_IDP_FAILED_TO_START_PRINT 61702
#define AFX_IDP_COMMAND_FAILURE 61705
