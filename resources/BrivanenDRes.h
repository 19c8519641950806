// Resource and command numbers of the nD program. Plain #defines, read by
// windres as well as by the code and the program tests.
#pragma once

#include "framework/win/FrameworkRes.h"
#include "resources/NdImportRes.h"

// Frames, menus, toolbars, icons, bitmaps.
#define IDR_MAINFRAME 128      // main frame menu, accelerators, icon, main toolbar, command dialog bar
#define IDR_BRIVANETYPE 129    // graph windows: menu, accelerators, icon, document string
#define IDR_SCRIPTTYPE 130     // script windows: the same
#define IDR_FULLSCREEN 165     // the full-screen toolbar
#define IDR_TRACESBAR 190      // the traces toolbar
#define IDB_SPLASH 104

// Dialog templates (the command bar's is IDR_MAINFRAME).
#define IDD_ABOUTBOX 100
#define IDD_PARAMETERS_PAGE 132
#define IDD_ACQUISITION 184
#define IDD_RAMP_EDITOR 155
#define IDD_FOURIER 157
#define IDD_APODIZATION 159
#define IDD_SCALE_UNITS 160
#define IDD_PREDICTION 162
#define IDD_LEVELS 163
#define IDD_COLOURS 164
#define IDD_CUSTOMIZE 166
#define IDD_PROJECTIONS 170
#define IDD_HIGH_PASS 175
#define IDD_POLYNOMIAL_BASELINE 209
#define IDD_EXTRACTS 185
#define IDD_LIMITS 193
#define IDD_PHASE 139
#define IDD_REF_PAGE1 133  // the referencing wizard's pages
#define IDD_REF_PAGE3 134
#define IDD_REF_PAGE2 135
#define IDR_PHASE_TOOLBAR 141   // the phase dialog's toolbar
#define IDR_PHASE_VIEW_MENU 169 // the first phase view's popup
#define IDI_PHASE_VIEW 138      // drawn in the corner of each phase view
#define IDD_REFERENCE_INTEGRAL 222
#define IDD_ND_REFERENCE 214
#define IDR_ND_REFERENCE_BAR 166  // the Reference dialog's toolbar

// The graph view's cursors, by mouse tool.
#define IDC_CURSOR_ZOOM 134
#define IDC_CURSOR_SELECT 135
#define IDC_CURSOR_ND_MAGNIFIER 147
#define IDC_CURSOR_REFERENCE_F1 172
#define IDC_CURSOR_REFERENCE_F2 173
#define IDC_CURSOR_PICK_1D 195
#define IDC_CURSOR_INTEGRATE 216
#define IDC_CURSOR_PICK_2D 217

// Control ids.
#define IDC_COMMAND_EDIT 1000
#define IDC_COMMAND_RUN 1001
#define IDC_PARAMETER_LIST 1000
#define IDC_DIMENSION_COMBO 1003
#define IDC_MODIFY_PARAMETERS 1072
#define IDC_F2_CARRIER 1073
#define IDC_F1_CARRIER 1074
#define IDC_F2_WIDTH 1075
#define IDC_F1_WIDTH 1076
#define IDC_ABOUT_VERSION 1031

// Fourier Transform.
#define IDC_FT_SIZE 1028
#define IDC_FT_PROTOCOL 1030
#define IDC_FT_REAL 1031
#define IDC_FT_QUADRATURE 1032
#define IDC_FT_PREDICTION 1034
#define IDC_FT_APODIZE 1035
#define IDC_FT_MAGNITUDE 1036
#define IDC_FT_HYPERPHASE 1037
#define IDC_FT_INVERSE 1038
#define IDC_FT_CHOOSE_FUNCTION 1044
#define IDC_FT_NEXT_DIMENSION 1063
#define IDC_FT_INVERT 1068
// Apodization: a check box and the edit of its value each.
#define IDC_APOD_EXPONENTIAL 1039
#define IDC_APOD_GAUSSIAN 1040
#define IDC_APOD_SINE_BELL 1041
#define IDC_APOD_SINE_SQUARE 1042
#define IDC_APOD_FIRST_POINT 1047
#define IDC_APOD_EXPONENTIAL_VALUE 1043
#define IDC_APOD_GAUSSIAN_VALUE 1044
#define IDC_APOD_SINE_BELL_VALUE 1045
#define IDC_APOD_SINE_SQUARE_VALUE 1046
#define IDC_APOD_FIRST_POINT_VALUE 1048
// Linear Prediction.
#define IDC_LP_FIRST 1051
#define IDC_LP_LAST 1052
#define IDC_LP_BASIS 1053
#define IDC_LP_COEFFICIENTS 1054
// High Pass Filter.
#define IDC_HP_SELECTIVITY 1069
#define IDC_HP_NULL_POINT 1070
// Polynomial Baseline Correction: the order's buttons 0 .. 7, the
// dimension's f1 .. f4 (each group in tab order), the filter and the basis.
#define IDC_BC_ORDER0 1000
#define IDC_BC_ORDER1 418
#define IDC_BC_ORDER2 419
#define IDC_BC_ORDER3 420
#define IDC_BC_ORDER4 421
#define IDC_BC_ORDER5 1005
#define IDC_BC_ORDER6 1006
#define IDC_BC_ORDER7 1011
#define IDC_BC_F1 1007
#define IDC_BC_F2 1008
#define IDC_BC_F3 1009
#define IDC_BC_F4 1010
#define IDC_BC_FILTER 1012
#define IDC_BC_TRIGONOMETRIC 1013
// Set Levels.
#define IDC_LEVELS_POSITIVE 1052
#define IDC_LEVELS_NEGATIVE 1053
#define IDC_LEVELS_RATIO 1054
#define IDC_LEVELS_THRESHOLD 1055
// Scale Units: Points, Secs, Hertz, ppm of each axis.
#define IDC_UNITS_F1_POINTS 1047
#define IDC_UNITS_F1_SECONDS 1048
#define IDC_UNITS_F1_HERTZ 1049
#define IDC_UNITS_F1_PPM 422
#define IDC_UNITS_F2_POINTS 1050
#define IDC_UNITS_F2_SECONDS 1051
#define IDC_UNITS_F2_HERTZ 1052
#define IDC_UNITS_F2_PPM 423
// Colors: six positive and six negative level pickers.
#define IDC_COLOUR_POSITIVE1 1055
#define IDC_COLOUR_NEGATIVE1 1067
#define IDC_COLOUR_DEFAULT 1061
// Ramp editor.
#define IDC_RAMP_RED 1049
#define IDC_RAMP_GREEN 1050
#define IDC_RAMP_BLUE 1051
#define IDC_RAMP_SELECTION 1054
#define IDC_RAMP_MODIFY 1058
#define IDC_RAMP_ADD 1059
#define IDC_RAMP_DELETE 1030
#define IDC_RAMP_DELETE_ALL 1031
#define IDC_RAMP_LOAD 1064
#define IDC_RAMP_SAVE 1066
// Customize.
#define IDC_CUSTOM_DIVISOR 1062
#define IDC_CUSTOM_MAX_COEFFICIENTS 1063
#define IDC_CUSTOM_FONT_F2 1083
#define IDC_CUSTOM_FONT_F1 1084
#define IDC_CUSTOM_SHOW_F2 1065
#define IDC_CUSTOM_SHOW_F1 1064
// Setup Projections.
#define IDC_PROJ_F1 1064
#define IDC_PROJ_F2 1065
#define IDC_PROJ_COMPUTE_F1 1066
#define IDC_PROJ_COMPUTE_F2 1067
// Extracts list.
#define IDC_EXTRACT_ROWS 1074
#define IDC_EXTRACT_COLUMNS 1075
#define IDC_EXTRACT_CLEAR_ROWS 1076
#define IDC_EXTRACT_CLEAR_COLUMNS 1077
// Display a Portion of the Spectrum.
#define IDC_LIMITS_F1_FROM 1077
#define IDC_LIMITS_F1_TO 1078
#define IDC_LIMITS_F2_FROM 1079
#define IDC_LIMITS_F2_TO 1080
#define IDC_LIMITS_F1_UNITS 1081
#define IDC_LIMITS_F2_UNITS 1082
#define IDC_LIMITS_UNITS 3
// Phase Correction.
#define IDC_PHASE_ZERO_SLIDER 1198
#define IDC_PHASE_FIRST_SLIDER 1199
#define IDC_PHASE_ZERO 1014
#define IDC_PHASE_ZERO_SPIN 1003
#define IDC_PHASE_FIRST 1015
#define IDC_PHASE_FIRST_SPIN 1005
#define IDC_PHASE_PIVOT 1086
#define IDC_PHASE_SEND1 1010
#define IDC_PHASE_SEND2 1011
#define IDC_PHASE_SEND3 1012
#define IDC_PHASE_APPLY_ALL 1017
#define IDC_PHASE_APPLY 1027
// Reference Integral.
#define IDC_REFERENCE_INTEGRAL 1158
// Reference: the 1D program's dialog code runs it, so its controls and
// commands carry that dialog's numbers.
#define IDC_ND_REF_LIST 1000
#define IDC_ND_REF_REMOVE 1004
#define IDC_ND_REF_ADD 1019
#define IDC_ND_REF_NAME 1020
#define IDC_ND_REF_SHIFT 1158
#define IDC_ND_REF_SPIN 1159
#define IDC_ND_REF_LABEL 1067
#define ID_ND_REF_REM_ALL 32938

// Strings.
#define IDP_OLE_INIT_FAILED 100

// Bar ids.
#define ID_TRACES_BAR 59642   // the traces toolbar
#define ID_COMMAND_BAR 59397  // the command dialog bar
#define ID_FULLSCREEN_BAR 59643

// Application and frame.
#define ID_FILE_CUSTOMIZE 32833
#define ID_VIEW_FULL_SCREEN 32771
#define ID_VIEW_GRAPH_VIEW 32772
#define ID_VIEW_SCRIPT_VIEW 32773
#define ID_VIEW_COMMAND_BAR 32776
#define ID_VIEW_TRACES_TOOLBAR 32939
#define ID_HELP_MANUAL 32937

// Document commands.
#define ID_PHASE_APPLY 1016
#define ID_EDIT_PROPERTIES 32775
#define ID_EDIT_PALETTE 32778
#define ID_VIEW_INCREASE 32779
#define ID_VIEW_DECREASE 32780
#define ID_VIEW_INCREASE_SLICES 32840
#define ID_VIEW_DECREASE_SLICES 32841
#define ID_VIEW_ZOOM 32784
#define ID_VIEW_FULL 32785
#define ID_TOOLS_SELECT_SPECTRUM 32791
#define ID_VIEW_SLICES 32792
#define ID_PROCESS_PHASE 32793
#define ID_VIEW_REFRESH 32808
#define ID_VIEW_FAST_PLOT 32810
#define ID_VIEW_CONTOUR_PLOT 32811
#define ID_VIEW_COLOURED_CONTOUR 32944
#define ID_VIEW_STACKED_PLOT 32871
#define ID_VIEW_WHITEWASH 32872
#define ID_PROCESS_FOURIER 32820
#define ID_PROCESS_APODIZE 32821
#define ID_PROCESS_POLYNOMIAL 32823
#define ID_PROCESS_FULL_AUTO 32824
#define ID_VIEW_SCALE_UNITS 32825
#define ID_PROCESS_PREDICTION 32826
#define ID_PROCESS_MAGNITUDE 32827
#define ID_PROCESS_MAKE_REAL 32828
#define ID_PROCESS_SYMMETRIZE 32829
#define ID_PROCESS_AVERAGE 32869
#define ID_PROCESS_TRANSPOSE 32868
#define ID_PROCESS_HIGH_PASS 32870
#define ID_VIEW_LEVELS 32830
#define ID_VIEW_COLOURS 32831
#define ID_VIEW_PROJECTIONS 32839
#define ID_VIEW_LIMITS 32931
#define ID_TOOLS_REFERENCE_F1 32846
#define ID_TOOLS_REFERENCE_F2 32845
#define ID_TOOLS_INTEGRATE 32861
#define ID_TOOLS_RECTANGLE 32865
#define ID_TOOLS_ELLIPSE 32866
#define ID_TOOLS_DELETE_INTEGRALS 32867
#define ID_TOOLS_SEND_ROW 32874
#define ID_TOOLS_SEND_COLUMN 32875
#define ID_TOOLS_SEND_ROWS 32876
#define ID_TOOLS_SEND_COLUMNS 32877
#define ID_VIEW_SLICE_LIST 32878
#define ID_TRACES_ADD_ROW 32924
#define ID_TRACES_ADD_COLUMN 32926
#define ID_TRACES_LOAD_ROW 32925
#define ID_TRACES_LOAD_COLUMN 32927
#define ID_VIEW_ENLARGE 32881
#define ID_VIEW_REDUCE 32882
#define ID_VIEW_SQUARE 32930
#define ID_TRACES_F1_PROJECTION 32883
#define ID_TRACES_F2_PROJECTION 32884
#define ID_TRACES_SHOW_F1 32928
#define ID_TRACES_SHOW_F2 32929
#define ID_TRACES_UP 32893
#define ID_TRACES_DOWN 32894
#define ID_TRACES_LEFT 32896
#define ID_TRACES_RIGHT 32897
#define ID_TRACES_PREVIOUS_ROW 32913
#define ID_TRACES_NEXT_ROW 32914
#define ID_TRACES_PREVIOUS_COLUMN 32916
#define ID_TRACES_NEXT_COLUMN 32917
#define ID_FILE_REVERT 32932
#define ID_VIEW_GRID 32933
#define ID_TOOLS_SYNCHRONIZE 32940

// The phase dialog's toolbar and the phase views' popup.
#define ID_PHASE_ALONG_F1 32798
#define ID_PHASE_ALONG_F2 32799
#define ID_PHASE_ALONG_F3 32800
#define ID_PHASE_ALONG_F4 32801
#define ID_PHASE_UNDO 32819
#define ID_PHASE_HIDE_WINDOW 32838

// View commands.
#define ID_VIEW_MAGNIFY 32782
#define ID_VIEW_DOUBLE_BUFFERING 32832
#define ID_PROCESS_PLAY 32834
#define ID_PROCESS_STOP 32837

// Script view.
#define ID_SCRIPT_RUN 32777
#define ID_SCRIPT_OPEN 32817
#define ID_SCRIPT_SAVE 32818

// The graph view as an OLE container: the menu and keys while an object is
// active in place in it, the two cancels of in-place editing, and the
// message of an object that cannot be created.
#define IDR_ND_CNTR_INPLACE 6
#define ID_ND_CANCEL_EDIT_CNTR 32768
#define ID_ND_CANCEL_EDIT_SRVR 32769
#define IDP_ND_FAILED_TO_CREATE 102

// A 2D document that serves a container: menu, accelerators and tool bar
// while edited in place (4), menu and accelerators while edited in a
// window of its own (5).
#define IDR_SRVR_INPLACE 4
#define IDR_SRVR_EMBEDDED 5
