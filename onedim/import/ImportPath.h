// Paths handed to the importers. The user's choice is a Windows path whose
// folder is everything up to its last backslash; the native build takes a
// slash as well and finds "Acqus", "acqus" and "ACQUS" alike, as Windows does.
#pragma once

#include "framework/base/File.h"
#include "framework/base/String.h"

// The path up to and including its last separator ('\\' or '/'); empty when
// it has none.
CString GetImportFolder(LPCSTR lpszPath);

// The path up to and including its last '.', or empty when it has none (a
// name made from it would then be a bare name in the current folder).
CString GetPathUpToLastDot(LPCSTR lpszPath);

// The path as the file calls of this build want it. On Windows it is left
// as it is. Natively backslashes become slashes and each name that does not
// exist as written is matched without regard to case in its folder.
CString ResolveImportPath(LPCSTR lpszPath);

// Opens an importer's file for reading as raw bytes; FALSE when it cannot.
BOOL OpenImportFile(CFile& file, LPCSTR lpszPath);
