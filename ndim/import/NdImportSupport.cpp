#include "ndim/import/NdImportSupport.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "framework/base/Endian.h"
#include "framework/base/Exception.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/script/CommandInterpreter.h"
#include "numerics/Saturate.h"

namespace {

// Parameter files are tens of kilobytes; a larger file is not one.
const std::size_t kMaxParameterBytes = 4 * 1024 * 1024;
// Samples converted per read.
const std::size_t kChunkBytes = 64 * 1024;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

}  // namespace

CString NdFolderOf(LPCSTR path) {
  CString strPath(path);
  int slash = strPath.ReverseFind('\\');
  const int forward = strPath.ReverseFind('/');
  if (forward > slash)
    slash = forward;
  return strPath.Left(slash + 1);
}

CString NdBeside(LPCSTR path, LPCSTR relative) {
  const CString folder = NdFolderOf(path);
  const char separator = folder.IsEmpty() ? '/' : folder[folder.GetLength() - 1];
  CString name(relative);
  while (!name.IsEmpty() && IsSeparator(name[0]))
    name = name.Mid(1);
  name.Replace('\\', separator);
  return folder + name;
}

bool NdOpenFile(CFile& file, LPCSTR path) {
  if (path == nullptr || *path == '\0')
    return false;
  return file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary) != FALSE;
}

bool NdFileExists(LPCSTR path) {
  CFile file;
  return NdOpenFile(file, path);
}

bool NdReadText(LPCSTR path, std::string& text) {
  text.clear();
  CFile file;
  if (!NdOpenFile(file, path))
    return false;
  try {
    char buffer[16384];
    UINT n;
    while (text.size() < kMaxParameterBytes && (n = file.Read(buffer, sizeof buffer)) > 0)
      text.append(buffer, n);
    return true;
  } catch (CException* e) {
    e->Delete();
    return false;
  }
}

bool CNdWords::Next(std::string& word) {
  while (m_nPos < m_text.size() && IsBlank(m_text[m_nPos]))
    ++m_nPos;
  const std::size_t start = m_nPos;
  while (m_nPos < m_text.size() && !IsBlank(m_text[m_nPos]))
    ++m_nPos;
  word.assign(m_text, start, m_nPos - start);
  return m_nPos > start;
}

void CNdWords::SkipLine() {
  while (m_nPos < m_text.size() && m_text[m_nPos] != '\n')
    ++m_nPos;
}

bool NdBeginsWith(const std::string& word, const char* prefix) {
  return word.compare(0, std::strlen(prefix), prefix) == 0;
}

bool NdParseInt(const std::string& word, int& value) {
  char* end = nullptr;
  const long long v = std::strtoll(word.c_str(), &end, 10);
  if (end == word.c_str())
    return false;
  value = ClampToInt(v);
  return true;
}

bool NdParseDouble(const std::string& word, double& value) {
  char* end = nullptr;
  const double v = std::strtod(word.c_str(), &end);
  if (end == word.c_str() || !std::isfinite(v))
    return false;
  value = v;
  return true;
}

float NdToFloat(double value) {
  if (value > FLT_MAX)
    return FLT_MAX;
  if (value < -FLT_MAX)
    return -FLT_MAX;
  return static_cast<float>(value);
}

void CNdImportLog::Show(LPCSTR text) {
  if (m_pSink)
    m_pSink->ShowMessage(text);
}

CSpectrum2D* CNdImportLog::Fail(LPCSTR reason) {
  m_strError = reason;
  Show(reason);
  return nullptr;
}

CSpectrum2D* CNdImportLog::FailQuietly(LPCSTR reason) {
  m_strError = reason;
  return nullptr;
}

float NdDecodeInt32LE(const BYTE* p) {
  return static_cast<float>(ReadI32LE(p));
}

float NdDecodeInt32BE(const BYTE* p) {
  return static_cast<float>(ReadI32BE(p));
}

float NdDecodeInt16BE(const BYTE* p) {
  return static_cast<float>(ReadI16BE(p));
}

float NdDecodeFloat32BE(const BYTE* p) {
  return ReadF32BE(p);
}

float NdDecodeFloat64LE(const BYTE* p) {
  return NdToFloat(ReadF64LE(p));
}

float NdDecodeFloat64BE(const BYTE* p) {
  return NdToFloat(ReadF64BE(p));
}

// 24-bit words: the sign byte first, or last.
float NdDecodeInt24BE(const BYTE* p) {
  return static_cast<float>(static_cast<signed char>(p[0]) * 65536 + p[1] * 256 + p[2]);
}

float NdDecodeInt24LE(const BYTE* p) {
  return static_cast<float>(static_cast<signed char>(p[2]) * 65536 + p[1] * 256 + p[0]);
}

unsigned long long NdRowLayout::End() const {
  if (rows < 1)
    return start;
  return start + static_cast<unsigned long long>(rows - 1) * stride +
         static_cast<unsigned long long>(samples) * sampleSize;
}

CSpectrum2D* NdNewSet(const DimensionBlock& f1, const DimensionBlock& f2) {
  if (!CSpectrum2D::SizeFits(static_cast<long long>(f1.m_nPoints) * f2.m_nPoints, 2))
    return nullptr;
  CSpectrum2D* set = new (std::nothrow) CSpectrum2D;
  if (!set)
    return nullptr;
  set->m_nLastDim = 2;
  set->m_nCurrentDim = 2;
  set->m_dims[1] = f1;
  set->m_dims[2] = f2;
  if (!set->AllocateData()) {
    delete set;
    return nullptr;
  }
  set->m_zoom.SetRect(0, 0, f2.m_nPoints, f1.m_nPoints);
  return set;
}

bool NdReadRows(CFile& file, const NdRowLayout& layout, NdSampleDecoder decode, float* out) {
  const std::size_t size = static_cast<std::size_t>(layout.sampleSize);
  std::size_t chunkSamples = kChunkBytes / size;
  if (static_cast<long long>(chunkSamples) > layout.samples)
    chunkSamples = static_cast<std::size_t>(layout.samples > 0 ? layout.samples : 1);
  std::vector<BYTE> buffer(chunkSamples * size);
  for (long long row = 0; row < layout.rows; ++row) {
    file.Seek(static_cast<LONGLONG>(layout.start + static_cast<unsigned long long>(row) * layout.stride), CFile::begin);
    for (long long done = 0; done < layout.samples;) {
      const std::size_t n = static_cast<std::size_t>(
          layout.samples - done < static_cast<long long>(chunkSamples) ? layout.samples - done : chunkSamples);
      const UINT bytes = static_cast<UINT>(n * size);
      if (file.Read(buffer.data(), bytes) != bytes)
        return false;
      for (std::size_t i = 0; i < n; ++i)
        *out++ = decode(&buffer[i * size]);
      done += static_cast<long long>(n);
    }
  }
  return true;
}
