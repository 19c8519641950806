#include "onedim/model/SolventTable.h"

#include <vector>

#include "framework/base/Archive.h"
#include "framework/base/Endian.h"
#include "framework/base/Exception.h"
#include "framework/base/File.h"
#include "framework/base/FileReplace.h"

namespace {

const char* const kBuiltIn[][2] = {
    {" TMS", "0"},
    {"Acetic acid-d3 (1H, singlet)", "11.59"},
    {"Acetic acid-d3 (13C, quintuplet)", "20.03"},
    {"Acetone-d6 (1H, quintuplet)", "2.05"},
    {"Acetone-d6 (13C, septuplet)", "30.83"},
    {"Acetonitrile-d3 (1H, quintuplet)", "1.94"},
    {"Acetonitrile-d3 (13C, septuplet)", "1.24"},
    {"Benzene-d6 (1H, singlet)", "7.15"},
    {"Benzene-d6 (13C, triplet)", "128.02"},
    {"Chloroform-d (1H, singlet)", "7.26"},
    {"Chloroform-d (13C, triplet)", "77.0"},
    {"Dimethyl sulfoxide (1H, quintuplet)", "2.50"},
    {"Dimethyl sulfoxide (13C, septuplet)", "39.43"},
    {"Methanol-d4 (1H, singlet)", "5.84"},
    {"Methanol-d4 (13C, septuplet)", "49.05"},
};

// No list of signals comes near this; a larger file is not one.
const ULONGLONG kSolventsFileMax = 8u << 20;

// One string of the archive; FALSE at the end of the data or for a length
// beyond kSolventTextMax.
BOOL ReadString(CByteReader& in, CString& str, CString& strError) {
  std::uint32_t nLength = in.ReadU8();
  if (nLength == 0xFF) {
    nLength = in.ReadU16();
    if (nLength == 0xFFFF)
      nLength = in.ReadU32();
  }
  if (in.HasError()) {
    strError = "it ends inside an entry";
    return FALSE;
  }
  if (nLength > (std::uint32_t)kSolventTextMax) {
    strError = "an entry is too long";
    return FALSE;
  }
  const BYTE* p = in.Take(nLength);
  if (p == nullptr) {
    strError = "it ends inside an entry";
    return FALSE;
  }
  str = CString(reinterpret_cast<const char*>(p), (int)nLength);
  return TRUE;
}

}  // namespace

void FillBuiltInSolvents(CMapStringToString& map) {
  for (const auto& entry : kBuiltIn)
    map.SetAt(entry[0], entry[1]);
}

BOOL DecodeSolvents(const BYTE* pData, std::size_t nSize, CMapStringToString& map, CString& strError) {
  CByteReader in(pData, nSize, ByteOrder::LittleEndian);
  std::uint32_t nCount = in.ReadU16();
  if (nCount == 0xFFFF)
    nCount = in.ReadU32();
  if (in.HasError()) {
    strError = "it is too short";
    return FALSE;
  }
  // Every entry takes at least its two length bytes.
  if (nCount > in.GetRemaining() / 2) {
    strError = "it counts more entries than it holds";
    return FALSE;
  }
  std::vector<std::pair<CString, CString>> entries;
  entries.reserve(nCount);
  for (std::uint32_t i = 0; i < nCount; ++i) {
    CString name, shift;
    if (!ReadString(in, name, strError) || !ReadString(in, shift, strError))
      return FALSE;
    entries.emplace_back(name, shift);
  }
  if (in.GetRemaining() != 0) {
    strError = "it holds more than its entries";
    return FALSE;
  }
  for (const auto& entry : entries)
    map.SetAt(entry.first, entry.second);
  return TRUE;
}

CString SolventsFilePath(LPCSTR pszModuleFile) {
  const CString module(pszModuleFile != nullptr ? pszModuleFile : "");
  int nEnd = -1;  // the last character of the drive and folder
  for (int i = 0; i < module.GetLength(); ++i) {
    const char c = module[i];
    if (c == '\\' || c == '/' || c == ':')
      nEnd = i;
  }
  return module.Left(nEnd + 1) + "solvents.map";
}

CString SolventListEntry(LPCSTR pszName, LPCSTR pszShift) {
  CString entry(pszName);
  entry += '\t';
  entry += pszShift;
  return entry;
}

CString SolventNameOfEntry(LPCSTR pszEntry) {
  return CString(pszEntry).SpanExcluding("\t");
}

CSolventTable::LoadResult CSolventTable::Load() {
  m_map.RemoveAll();
  m_strLoadError.Empty();
  m_bDamaged = m_bChanged = FALSE;
  std::vector<BYTE> bytes;
  CFile file;
  if (!file.Open(m_strPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) {
    FillBuiltInSolvents(m_map);
    return loadMissing;
  }
  try {
    const ULONGLONG nLength = file.GetLength();
    if (nLength > kSolventsFileMax) {
      m_strLoadError = "it is too large";
    } else {
      bytes.resize((std::size_t)nLength);
      if (nLength > 0 && file.Read(bytes.data(), (UINT)nLength) != (UINT)nLength)
        m_strLoadError = "it could not be read whole";
    }
  } catch (CException* e) {
    e->Delete();
    FillBuiltInSolvents(m_map);
    return loadMissing;
  }
  if (m_strLoadError.IsEmpty() && DecodeSolvents(bytes.data(), bytes.size(), m_map, m_strLoadError))
    return loadRead;
  m_bDamaged = TRUE;
  FillBuiltInSolvents(m_map);
  return loadDamaged;
}

void CSolventTable::Add(LPCSTR pszName, LPCSTR pszShift) {
  m_map.SetAt(pszName, pszShift);
  m_bChanged = TRUE;
}

CSolventTable::RemoveResult CSolventTable::Remove(LPCSTR pszName, LPCSTR pszShift, CString& strStored) {
  if (!m_map.Lookup(pszName, strStored))
    return removeNotFound;
  if (strStored.Compare(pszShift) != 0)
    return removeDiffers;
  m_map.RemoveKey(pszName);
  m_bChanged = TRUE;
  return removeDone;
}

void CSolventTable::RemoveAll() {
  m_map.RemoveAll();
  m_bChanged = TRUE;
}

BOOL CSolventTable::Save(CString& strError) {
  if (m_bDamaged && !m_bChanged)
    return TRUE;
  CMapStringToString& map = m_map;
  const bool bWritten = WriteFileReplacing(
      m_strPath,
      [&map](CFile& file) {
        CArchive ar(&file, CArchive::store, 4096);
        map.Serialize(ar);
        ar.Close();
      },
      strError);
  if (bWritten)
    m_bDamaged = m_bChanged = FALSE;
  return bWritten ? TRUE : FALSE;
}
