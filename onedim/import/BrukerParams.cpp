#include "onedim/import/BrukerParams.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

#include "onedim/model/SpectrumParams.h"
#include "numerics/Saturate.h"

namespace {

// Tokens of a parameter file, read through a small buffer so that a file of
// any size costs no more memory than this.
class CTokenReader {
 public:
  explicit CTokenReader(CFile& file) : m_file(file) {}

  // The next token, at most kMaxToken characters (a longer run of
  // non-blanks comes as several tokens). FALSE at the end.
  BOOL Next(std::string& token) {
    token.clear();
    int ch = GetChar();
    while (ch != EOF && std::isspace(ch))
      ch = GetChar();
    if (ch == EOF)
      return FALSE;
    while (ch != EOF && !std::isspace(ch)) {
      token += (char)ch;
      if (token.size() == kMaxToken)
        break;
      ch = GetChar();
    }
    return TRUE;
  }

 private:
  static constexpr std::size_t kMaxToken = 511;

  int GetChar() {
    if (m_nPos == m_nLength) {
      if (m_bEnd)
        return EOF;
      try {
        m_nLength = m_file.Read(m_buffer, sizeof m_buffer);
      } catch (CFileException* e) {
        e->Delete();
        m_nLength = 0;
      }
      m_nPos = 0;
      if (m_nLength == 0) {
        m_bEnd = true;
        return EOF;
      }
    }
    return m_buffer[m_nPos++];
  }

  CFile& m_file;
  BYTE m_buffer[4096];
  UINT m_nLength = 0;
  UINT m_nPos = 0;
  bool m_bEnd = false;
};

bool BeginsWithNoCase(const std::string& token, const char* pszName) {
  std::size_t n = 0;
  for (; pszName[n] != '\0'; ++n) {
    if (n >= token.size())
      return false;
    if (std::toupper((unsigned char)token[n]) != std::toupper((unsigned char)pszName[n]))
      return false;
  }
  return true;
}

// An integer value in the manner of atoi, clamped to the range of int.
bool ParseInt(const std::string& token, int& nValue) {
  char* pEnd = nullptr;
  long long n = std::strtoll(token.c_str(), &pEnd, 10);
  if (pEnd == token.c_str())
    return false;
  nValue = ClampToInt(n);
  return true;
}

bool ParseReal(const std::string& token, double& dValue) {
  char* pEnd = nullptr;
  double d = std::strtod(token.c_str(), &pEnd);
  if (pEnd == token.c_str() || !std::isfinite(d))
    return false;
  dValue = d;
  return true;
}

// Reads the value token after a record name as an integer.
bool NextInt(CTokenReader& reader, int& nValue) {
  std::string value;
  return reader.Next(value) && ParseInt(value, nValue);
}

bool NextReal(CTokenReader& reader, double& dValue) {
  std::string value;
  return reader.Next(value) && ParseReal(value, dValue);
}

// "##$AQ_mod=" and "##$AQMODE=": 0 and 2 are mode 0; 1 and 3 (digital
// quadrature, simultaneous complex points) are mode 1; other codes leave
// the mode; any code but 0 means quadrature data.
void SetAcquisitionMode(CSpectrumParams& params, int nMode) {
  if (nMode == 0 || nMode == 2)
    params.aqmode = 0;
  else if (nMode == 1 || nMode == 3)
    params.aqmode = 1;
  params.bComplex = (BYTE)(nMode != 0);
}

bool Rewind(CFile& file) {
  try {
    file.SeekToBegin();
    return true;
  } catch (CFileException* e) {
    e->Delete();
    return false;
  }
}

}  // namespace

BOOL ReadBrukerAcqus(CSpectrumParams& params, CFile& file, int* pnDataType, BOOL* pbBadGroupDelay) {
  CTokenReader reader(file);
  std::string token, value;
  int nValue = 0;
  double dValue = 0.0;
  while (reader.Next(token)) {
    if (BeginsWithNoCase(token, "##$BYTORDA=")) {
      if (NextInt(reader, nValue)) {
        params.byteorder = nValue == 1 ? 1 : 0;
        params.names.RemoveKey("byteorder");
      }
    } else if (BeginsWithNoCase(token, "##$AQ_mod=")) {
      if (NextInt(reader, nValue)) {
        SetAcquisitionMode(params, nValue);
        params.names.RemoveKey("aqmode");
      }
    } else if (BeginsWithNoCase(token, "##$SW_h=")) {
      if (NextReal(reader, dValue)) {
        params.sw = dValue;
        params.names.RemoveKey("sw");
      }
    } else if (BeginsWithNoCase(token, "##$TD=")) {
      if (NextInt(reader, nValue)) {
        params.td = nValue;
        params.names.RemoveKey("td");
      }
    } else if (BeginsWithNoCase(token, "##$BF1=")) {
      if (NextReal(reader, dValue)) {
        params.sf = dValue;
        params.names.RemoveKey("sf");
      }
    } else if (BeginsWithNoCase(token, "##$DECIM")) {
      if (NextInt(reader, nValue)) {
        params.DECIM = nValue;
        params.names.RemoveKey("decim");
      }
    } else if (BeginsWithNoCase(token, "##$DSPFVS")) {
      if (NextInt(reader, nValue)) {
        params.DSPFVS = nValue;
        params.names.RemoveKey("DSPFVS");
      }
    } else if (BeginsWithNoCase(token, "##$DTYPA=")) {
      if (NextInt(reader, nValue) && pnDataType != nullptr)
        *pnDataType = nValue;
    } else if (BeginsWithNoCase(token, "##$GRPDLY=")) {
      const BOOL bRead = reader.Next(value) && ParseReal(value, dValue);
      params.GRPDLY = bRead ? dValue : 0.0;
      if (pbBadGroupDelay != nullptr)
        *pbBadGroupDelay = !bRead;
    }
  }

  // Files without a byte-order record: the program that wrote them tells
  // (XWIN-NMR ran on big-endian workstations).
  CString strMissing;
  if (params.names.Lookup("byteorder", strMissing) && Rewind(file)) {
    CTokenReader again(file);
    while (again.Next(token)) {
      if (BeginsWithNoCase(token, "XWIN")) {
        params.byteorder = 1;
        params.names.RemoveKey("byteorder");
      } else if (BeginsWithNoCase(token, "UXNMR")) {
        params.byteorder = 0;
        params.names.RemoveKey("byteorder");
      }
    }
  }
  params.bConjugate = 0;
  return TRUE;
}

BOOL ReadBrukerProcs(CSpectrumParams& params, CFile& file, int* pnByteOrder) {
  CTokenReader reader(file);
  std::string token;
  int nValue = 0;
  double dValue = 0.0;
  while (reader.Next(token)) {
    if (BeginsWithNoCase(token, "##$OFFSET=")) {
      if (NextReal(reader, dValue)) {
        params.offset = dValue;
        params.names.RemoveKey("offset");
      }
    } else if (BeginsWithNoCase(token, "##$SI=")) {
      if (NextInt(reader, nValue)) {
        // Twice SI may not fit an int; such a size is refused later.
        params.td = ClampToInt(2LL * nValue);
        params.names.RemoveKey("td");
      }
    } else if (BeginsWithNoCase(token, "##$BYTORDP=")) {
      if (NextInt(reader, nValue) && pnByteOrder != nullptr)
        *pnByteOrder = nValue == 1 ? 1 : 0;
    }
  }
  return TRUE;
}

BOOL ReadTitleFile(CSpectrumParams& params, CFile& file) {
  // A title is a few lines; the rest of a larger file is not read.
  const std::size_t kMaxTitle = 64 * 1024;
  std::string title, line;
  bool bLineOpen = false;
  BYTE buffer[4096];
  for (;;) {
    UINT nRead = 0;
    try {
      nRead = file.Read(buffer, sizeof buffer);
    } catch (CFileException* e) {
      e->Delete();
      nRead = 0;
    }
    if (nRead == 0)
      break;
    for (UINT i = 0; i < nRead && title.size() + line.size() < kMaxTitle; ++i) {
      char ch = (char)buffer[i];
      if (ch == '\n') {
        title += line + "\r\n";
        line.clear();
        bLineOpen = false;
      } else if (ch != '\r' && ch != '\0') {
        line += ch;
        bLineOpen = true;
      } else {
        bLineOpen = true;
      }
    }
    if (title.size() + line.size() >= kMaxTitle)
      break;
  }
  if (bLineOpen)
    title += line + "\r\n";
  params.title = title.c_str();
  return TRUE;
}

BOOL ReadWinNmrDis(CSpectrumParams& params, CFile& file) {
  CTokenReader reader(file);
  std::string token;
  int nValue = 0;
  double dValue = 0.0;
  while (reader.Next(token)) {
    if (BeginsWithNoCase(token, "##$AQMODE=")) {
      if (NextInt(reader, nValue))
        SetAcquisitionMode(params, nValue);
    } else if (BeginsWithNoCase(token, "##$SPWIDTH=")) {
      if (NextReal(reader, dValue))
        params.sw = dValue;
    } else if (BeginsWithNoCase(token, "##$TDSIZE=")) {
      if (NextInt(reader, nValue))
        params.td = nValue;
    } else if (BeginsWithNoCase(token, "##$SFREQ=")) {
      if (NextReal(reader, dValue))
        params.sf = dValue;
    }
  }
  return TRUE;
}
