#include "onedim/document/SettingsStore.h"

#include <cstdlib>

CSettingsStore::~CSettingsStore() = default;

CString CMemorySettings::Key(LPCSTR pszSection, LPCSTR pszEntry) {
  return CString(pszSection) + "\\" + CString(pszEntry);
}

int CMemorySettings::GetProfileInt(LPCSTR pszSection, LPCSTR pszEntry, int nDefault) {
  CString value;
  if (!m_profile.Lookup(Key(pszSection, pszEntry), value))
    return nDefault;
  return (int)std::strtol(value, nullptr, 10);
}

CString CMemorySettings::GetProfileString(LPCSTR pszSection, LPCSTR pszEntry, LPCSTR pszDefault) {
  CString value;
  if (!m_profile.Lookup(Key(pszSection, pszEntry), value))
    return CString(pszDefault);
  return value;
}

BOOL CMemorySettings::WriteProfileInt(LPCSTR pszSection, LPCSTR pszEntry, int nValue) {
  CString value;
  value.Format("%d", nValue);
  m_profile.SetAt(Key(pszSection, pszEntry), value);
  return TRUE;
}

BOOL CMemorySettings::WriteProfileString(LPCSTR pszSection, LPCSTR pszEntry, LPCSTR pszValue) {
  m_profile.SetAt(Key(pszSection, pszEntry), pszValue != nullptr ? pszValue : "");
  return TRUE;
}

BOOL CMemorySettings::WriteSharedDouble(LPCSTR pszName, double dValue) {
  if (!m_bSharedKeyAvailable)
    return FALSE;
  m_sharedDoubles.SetAt(pszName, dValue);
  return TRUE;
}

BOOL CMemorySettings::WriteSharedInt(LPCSTR pszName, int nValue) {
  if (!m_bSharedKeyAvailable)
    return FALSE;
  m_sharedInts.SetAt(pszName, nValue);
  return TRUE;
}

BOOL CMemorySettings::LookupSharedDouble(LPCSTR pszName, double& dValue) const {
  return m_sharedDoubles.Lookup(pszName, dValue);
}

BOOL CMemorySettings::LookupSharedInt(LPCSTR pszName, int& nValue) const {
  return m_sharedInts.Lookup(pszName, nValue);
}
