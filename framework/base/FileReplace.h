// Puts a finished file in place of another in one step, so that a reader
// finds the old file or the new one, never a mix. Win32 and POSIX do this
// with different calls: each build compiles its own half.
#pragma once

#include <functional>

#include "framework/base/String.h"

class CFile;

// Moves the file at pszFrom to pszTo, replacing a file there; false when it
// cannot (a read-only file there is not replaced), and then both files are
// as they were.
bool MoveFileReplacing(const char* pszFrom, const char* pszTo);

// Writes a file at pszPath: write fills a new file beside it (throwing the
// file layer's exceptions when it cannot), which then replaces the old
// one. False with the reason when any step fails; the old file is then as
// it was and nothing is left beside it.
bool WriteFileReplacing(const char* pszPath, const std::function<void(CFile& file)>& write, CString& error);
