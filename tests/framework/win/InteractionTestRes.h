// Resource numbers of the clipboard, drag-and-drop, tracker and docking tests.
#pragma once

#define IDR_DOCK_FRAME 128
#define IDR_DOCK_TOOLBAR 131
#define ID_DOCK_RED 40011
#define ID_DOCK_GREEN 40012
#define ID_DOCK_BLUE 40013
#define ID_TEST_DOCKBAR 0xE850
