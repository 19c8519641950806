// CRegistryStore: typed values under one sub-key of the registry, outside
// the application's profile. The 1D program leaves its last phase and window
// function here for the nD program, which reads them back after the 1D
// program it started has ended. Numbers are stored as raw bytes
// (REG_BINARY) so that both programs agree on them byte for byte.
//
// No key stays open between calls: every operation opens the key, works and
// closes it, so several stores may use one key one after the other. Nothing
// throws or shows a message; failures come back as 0, -1 or the default.
#pragma once

#include "framework/base/String.h"
#include "framework/win/Win32.h"

class CFont;

// A record of three 32-bit words, stored as 12 raw bytes.
struct RegistryWords3 {
  DWORD dwWords[3];
};

class CRegistryStore {
 public:
  CRegistryStore();
  ~CRegistryStore();

  // Root HKEY_CURRENT_USER, lazy writing, no current path (the last result stays).
  void Reset();
  // Only the four predefined roots are taken; anything else is refused (0).
  BOOL SetRoot(HKEY hRootKey);
  // Makes pszPath (relative to the root) the key the value operations work
  // on; bCreate creates it when missing. An empty path clears the current
  // path (the root itself). On failure the old path stays.
  BOOL SetKey(LPCSTR pszPath, BOOL bCreate);
  // Creates (or opens) the key and makes it current.
  BOOL CreateKey(LPCSTR pszPath);
  // Whether pszPath can be opened under hParent (the root when null).
  BOOL KeyExists(LPCSTR pszPath, HKEY hParent = nullptr);
  // Deletes a key without sub-keys; a key that is not there counts as deleted.
  BOOL DeleteKey(LPCSTR pszPath);
  BOOL DeleteValue(LPCSTR pszName);
  BOOL ValueExists(LPCSTR pszName);
  // The value's REG_ type, 0 when the key or the value is missing.
  DWORD GetValueType(LPCSTR pszName);
  // In bytes; -1 when the key or the value is missing.
  int GetValueSize(LPCSTR pszName);
  int GetSubKeyCount();
  int GetValueCount();

  // 0 flushes the key after every write and key creation; 1 leaves it to the system.
  void SetLazyWrite(BOOL bLazy) { m_nLazyWrite = bLazy ? 1 : 0; }
  LONG GetLastResult() const { return m_nLastResult; }
  const CString& GetCurrentPath() const { return m_strCurrentPath; }
  HKEY GetRoot() const { return m_hRootKey; }

  // Reads: a missing key or value, or one longer than the type, gives the default.
  int ReadInt(LPCSTR pszName, int nDefault);
  double ReadDouble(LPCSTR pszName, double dDefault);
  RegistryWords3 ReadWords3(LPCSTR pszName, const RegistryWords3& defaultValue);
  // Only REG_SZ and REG_EXPAND_SZ values of up to 255 bytes are read.
  CString ReadString(LPCSTR pszName, LPCSTR pszDefault);
  // Recreates pFont from the stored LOGFONT; 0 leaves the font alone.
  BOOL ReadFont(LPCSTR pszName, CFont* pFont);
  // 8 and 16 raw bytes into the caller's buffer; 0 leaves it alone.
  BOOL ReadBinary8(LPCSTR pszName, void* pBuffer);
  BOOL ReadBinary16(LPCSTR pszName, void* pBuffer);

  // Writes: TRUE when the value was written.
  BOOL WriteInt(LPCSTR pszName, int nValue);
  BOOL WriteDouble(LPCSTR pszName, double dValue);
  BOOL WriteWords3(LPCSTR pszName, const RegistryWords3& value);
  BOOL WriteBinary16(LPCSTR pszName, const void* pBuffer);
  BOOL WriteFont(LPCSTR pszName, CFont* pFont);
  // Texts of more than 254 characters are refused.
  BOOL WriteString(LPCSTR pszName, LPCSTR pszText);

 private:
  // Opens the current key; null when that fails.
  HKEY OpenCurrent(REGSAM access);
  // Reads exactly up to nSize bytes of any type; FALSE when missing or longer.
  BOOL ReadRaw(LPCSTR pszName, void* pBuffer, DWORD nSize);
  BOOL WriteRaw(LPCSTR pszName, DWORD dwType, const void* pData, DWORD nSize);
  void CloseKey(HKEY hKey, BOOL bWritten);

  LONG m_nLastResult;
  HKEY m_hRootKey;
  int m_nLazyWrite;
  CString m_strCurrentPath;

  CRegistryStore(const CRegistryStore&) = delete;
  CRegistryStore& operator=(const CRegistryStore&) = delete;
};
