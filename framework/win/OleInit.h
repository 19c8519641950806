// Start-up and shutdown of OLE for the program, and the count of the
// objects that keep a server alive. A program started by OLE (/Embedding or
// /Automation) belongs to its clients: it ends when the last object it
// served is released. A program the user started ends only when the user
// says so.
#pragma once

#include "framework/win/Win32.h"

// Initialises the OLE libraries for the program's thread; FALSE when they
// cannot be used.
BOOL AfxOleInit();
// Withdraws the program's class objects and closes the OLE libraries (when
// AfxOleInit succeeded).
void AfxOleTerm();

// Every object served (and every lock a client takes on the class) counts;
// the last unlock ends a program the user does not control.
void AfxOleLockApp();
void AfxOleUnlockApp();
LONG AfxOleGetLockCount();
// Whether the user controls the program (TRUE unless started by OLE).
void AfxOleSetUserCtrl(BOOL bUserCtrl);
BOOL AfxOleGetUserCtrl();
