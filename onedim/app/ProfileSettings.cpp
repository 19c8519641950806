#include "onedim/app/ProfileSettings.h"

#include "common/SharedKey.h"
#include "framework/win/WinApp.h"

int CProfileSettings::GetProfileInt(LPCSTR pszSection, LPCSTR pszEntry, int nDefault) {
  return (int)m_pApp->GetProfileInt(pszSection, pszEntry, nDefault);
}

CString CProfileSettings::GetProfileString(LPCSTR pszSection, LPCSTR pszEntry, LPCSTR pszDefault) {
  return m_pApp->GetProfileString(pszSection, pszEntry, pszDefault);
}

BOOL CProfileSettings::WriteProfileInt(LPCSTR pszSection, LPCSTR pszEntry, int nValue) {
  return m_pApp->WriteProfileInt(pszSection, pszEntry, nValue);
}

BOOL CProfileSettings::WriteProfileString(LPCSTR pszSection, LPCSTR pszEntry, LPCSTR pszValue) {
  return m_pApp->WriteProfileString(pszSection, pszEntry, pszValue);
}

BOOL CProfileSettings::OpenSharedKey() {
  m_Shared.Reset();
  return m_Shared.SetKey(kSharedKeyPath, TRUE);
}

BOOL CProfileSettings::WriteSharedDouble(LPCSTR pszName, double dValue) {
  return m_Shared.WriteDouble(pszName, dValue);
}

BOOL CProfileSettings::WriteSharedInt(LPCSTR pszName, int nValue) {
  return m_Shared.WriteInt(pszName, nValue);
}
