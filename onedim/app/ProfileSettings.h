// The settings of the running 1D program: the application's profile in the
// registry (HKEY_CURRENT_USER\Software\Orvandel\<program>) and the key it
// shares with the nD program, HKEY_CURRENT_USER\Software\Orvandel\Common.
#pragma once

#include "common/RegistryStore.h"
#include "onedim/document/SettingsStore.h"

class CWinApp;

class CProfileSettings : public CSettingsStore {
 public:
  explicit CProfileSettings(CWinApp* pApp) : m_pApp(pApp) {}

  int GetProfileInt(LPCSTR pszSection, LPCSTR pszEntry, int nDefault) override;
  CString GetProfileString(LPCSTR pszSection, LPCSTR pszEntry, LPCSTR pszDefault) override;
  BOOL WriteProfileInt(LPCSTR pszSection, LPCSTR pszEntry, int nValue) override;
  BOOL WriteProfileString(LPCSTR pszSection, LPCSTR pszEntry, LPCSTR pszValue) override;

  BOOL OpenSharedKey() override;
  BOOL WriteSharedDouble(LPCSTR pszName, double dValue) override;
  BOOL WriteSharedInt(LPCSTR pszName, int nValue) override;

 private:
  CWinApp* m_pApp;  // not owned
  CRegistryStore m_Shared;
};
