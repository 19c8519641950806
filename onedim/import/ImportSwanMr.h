// SwaN-MR FIDs (import type 10): one big-endian file.
//   offset  type       content
//   32      int32      number of points n; td = 2 n
//   40      float32    spectral width, Hz
//   48      float32    spectrometer frequency, MHz
//   130     int16      0: 8 bytes per point (real and imaginary), else 4 (real only)
//   512     n points   the data, 32-bit IEEE floats
#pragma once

#include <memory>

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"
#include "onedim/import/FixedImporter.h"
#include "onedim/model/SpectrumParams.h"

// Reads a SwaN-MR file into a parameter block and the raw bytes of its
// points, still in the file's byte order.
class CSwanMrFile {
 public:
  CSwanMrFile() = default;
  virtual ~CSwanMrFile() = default;

  // TRUE when the file opened and held all that its header announces;
  // otherwise GetError says why.
  BOOL Read(LPCSTR lpszPath);

  const CSpectrumParams& GetParams() const { return m_params; }
  int GetPointCount() const { return m_nPoints; }
  int GetBytesPerPoint() const { return m_nBytesPerPoint; }
  const BYTE* GetData() const { return m_pData.get(); }
  const CString& GetError() const { return m_strError; }

 private:
  BOOL Fail(LPCSTR lpszError);

  CSpectrumParams m_params;
  int m_nPoints = 0;
  int m_nBytesPerPoint = 0;
  std::unique_ptr<BYTE[]> m_pData;  // m_nPoints x m_nBytesPerPoint bytes
  CString m_strError;

  CSwanMrFile(const CSwanMrFile&) = delete;
  CSwanMrFile& operator=(const CSwanMrFile&) = delete;
};

class CSwanMrImporter : public CFixedImporter {
 public:
  explicit CSwanMrImporter(CImportTarget& target) : CFixedImporter(target) {}

 protected:
  BOOL DoImport() override;
};
