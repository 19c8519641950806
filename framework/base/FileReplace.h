// Puts a finished file in place of another in one step, so that a reader
// finds the old file or the new one, never a mix. Win32 and POSIX do this
// with different calls: each build compiles its own half.
#pragma once

// Moves the file at pszFrom to pszTo, replacing a file there; false when it
// cannot (a read-only file there is not replaced), and then both files are
// as they were.
bool MoveFileReplacing(const char* pszFrom, const char* pszTo);
