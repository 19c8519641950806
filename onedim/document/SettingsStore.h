// Where the 1D program keeps its settings: the application's profile
// (sections "Display", "Integration", "File", ...) and the key it shares with
// the nD program. The program stores them in the registry; tests and tools
// use the in-memory store below.
#pragma once

#include "framework/base/Maps.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CSettingsStore {
 public:
  virtual ~CSettingsStore();

  // --- The application's profile ---
  virtual int GetProfileInt(LPCSTR pszSection, LPCSTR pszEntry, int nDefault) = 0;
  virtual CString GetProfileString(LPCSTR pszSection, LPCSTR pszEntry, LPCSTR pszDefault) = 0;
  virtual BOOL WriteProfileInt(LPCSTR pszSection, LPCSTR pszEntry, int nValue) = 0;
  virtual BOOL WriteProfileString(LPCSTR pszSection, LPCSTR pszEntry, LPCSTR pszValue) = 0;

  // --- The key shared with the nD program ---
  // Opens the shared key, creating it when missing; FALSE when it cannot be had.
  virtual BOOL OpenSharedKey() = 0;
  // 8-byte doubles and 4-byte integers under the shared key.
  virtual BOOL WriteSharedDouble(LPCSTR pszName, double dValue) = 0;
  virtual BOOL WriteSharedInt(LPCSTR pszName, int nValue) = 0;
};

// Settings held in memory for one run: native tests and the test tools.
class CMemorySettings : public CSettingsStore {
 public:
  CMemorySettings() = default;

  int GetProfileInt(LPCSTR pszSection, LPCSTR pszEntry, int nDefault) override;
  CString GetProfileString(LPCSTR pszSection, LPCSTR pszEntry, LPCSTR pszDefault) override;
  BOOL WriteProfileInt(LPCSTR pszSection, LPCSTR pszEntry, int nValue) override;
  BOOL WriteProfileString(LPCSTR pszSection, LPCSTR pszEntry, LPCSTR pszValue) override;

  BOOL OpenSharedKey() override { return m_bSharedKeyAvailable; }
  BOOL WriteSharedDouble(LPCSTR pszName, double dValue) override;
  BOOL WriteSharedInt(LPCSTR pszName, int nValue) override;

  // What was written under the shared key; FALSE when the value is missing.
  BOOL LookupSharedDouble(LPCSTR pszName, double& dValue) const;
  BOOL LookupSharedInt(LPCSTR pszName, int& nValue) const;
  int GetSharedValueCount() const { return m_sharedDoubles.GetCount() + m_sharedInts.GetCount(); }

  // Lets a test refuse the shared key, as a registry without access would.
  BOOL m_bSharedKeyAvailable = TRUE;

 private:
  static CString Key(LPCSTR pszSection, LPCSTR pszEntry);

  CMapStringToString m_profile;  // "section\entry" to the value as text
  CMapStringTo<double, double> m_sharedDoubles;
  CMapStringTo<int, int> m_sharedInts;
};
