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
// Clears the system error that OpenFailureCause reads, before an open.
void ClearOpenError();
// The CFileException cause of a failed open whose errno is nErrno.
int OpenFailureCause(int nErrno);

}  // namespace FileRuntime
