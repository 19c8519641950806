// Every file the programs write replaces the one before it only once it is
// whole: the new content goes into a file of its own beside the target
// (a name no user file has, created so that it can never overwrite one),
// which then takes the target's place in one step. A reader finds the old
// file or the new one, never a mix; a write that fails leaves the old file
// as it was and nothing beside it. Win32 and POSIX replace a file with
// different calls: each build compiles its own half.
#pragma once

#include <functional>

#include "framework/base/StdioFile.h"
#include "framework/base/String.h"

// How far a replacing write came.
enum FileReplaceResult {
  fileReplaced,     // the new file stands in the old one's place
  fileNotCreated,   // no new file could be made in the target's folder
  fileNotWritten,   // filling or closing the new file failed
  fileNotReplaced,  // the old file may not be replaced (it is read-only)
};

// Writes the file at pszPath through write, which fills a new file opened
// as nType (CFile::typeBinary, or CFile::typeText for CR LF line ends) and
// reports a failure by throwing the file layer's exceptions. On any result
// but fileReplaced, error holds the reason in the file layer's words,
// naming pszPath, the old file is as it was and the new one is gone.
FileReplaceResult ReplaceFileContents(LPCSTR pszPath, UINT nType, const std::function<void(CStdioFile& file)>& write,
                                      CString& error);

// The same for a binary file; true when the file was replaced.
bool WriteFileReplacing(LPCSTR pszPath, const std::function<void(CStdioFile& file)>& write, CString& error);

// Whether pszPath is a file that may not be replaced.
bool IsReadOnlyFile(LPCSTR pszPath);

// Moves the file at pszFrom to pszTo, replacing a file there, which keeps
// its permissions (POSIX); false when it cannot (a read-only file there is never
// replaced), and then both files are as they were.
bool MoveFileReplacing(LPCSTR pszFrom, LPCSTR pszTo);
