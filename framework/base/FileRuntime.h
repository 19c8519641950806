// The C-runtime calls of CFile that differ between the Windows C runtime and
// POSIX: 64-bit positions, share modes, and the system error behind a failed
// open. Each build compiles one of FileRuntimeWin32.cpp and
// FileRuntimePosix.cpp.
#pragma once

#include <cstdio>

#include "framework/base/WinTypes.h"

namespace FileRuntime {

int Seek(std::FILE* fp, LONGLONG lOff, int nWhence);
LONGLONG Tell(std::FILE* fp);
int Truncate(std::FILE* fp, ULONGLONG nLen);
bool IsDirectory(std::FILE* fp);
bool PathExists(LPCSTR lpszPath);

// Opens with CFile's share bits of nOpenFlags honoured where the runtime
// has share modes; POSIX has no mandatory sharing and ignores them.
std::FILE* Open(LPCSTR lpszFileName, const char* pszMode, UINT nOpenFlags);
// Creates a file for writing bytes that must not exist yet, in one step
// with the check, so that no file there is ever opened or emptied; null
// with errno EEXIST when one is there.
std::FILE* OpenNew(LPCSTR lpszFileName, UINT nOpenFlags);
// This process's id, which tells its temporary files from another's.
unsigned long ProcessId();
// Clears the system error that OpenFailureCause reads, before an open.
void ClearOpenError();
// The CFileException cause of a failed open whose errno is nErrno.
int OpenFailureCause(int nErrno);

}  // namespace FileRuntime
