// Script files of the command language: plain text, read whole into the
// script view and written back as it stands. A script is a few lines; a
// file too large for one, or one that is not text, is refused.
#pragma once

#include <cstddef>

#include "framework/base/String.h"

const std::size_t kMaxScriptBytes = 1 << 20;

// The whole text of the file; false with the reason when it cannot be read,
// is larger than kMaxScriptBytes or holds a zero byte.
bool ReadScriptFile(LPCSTR path, CString& text, CString& error);
// Writes the text in place of the file at path, or nothing at all; false
// with the reason.
bool WriteScriptFile(LPCSTR path, LPCSTR text, CString& error);
