#include "common/RegistryStore.h"

#include <cstring>

#include "framework/win/GdiObject.h"

namespace {

// The longest text a string value may hold, with its terminating zero.
const DWORD kStringBytes = 255;

bool IsPredefinedRoot(HKEY hKey) {
  return hKey == HKEY_CLASSES_ROOT || hKey == HKEY_CURRENT_USER || hKey == HKEY_LOCAL_MACHINE || hKey == HKEY_USERS;
}

}  // namespace

CRegistryStore::CRegistryStore() : m_nLastResult(ERROR_SUCCESS), m_hRootKey(HKEY_CURRENT_USER), m_nLazyWrite(1) {}

CRegistryStore::~CRegistryStore() {
  Reset();
}

void CRegistryStore::Reset() {
  m_strCurrentPath.Empty();
  m_hRootKey = HKEY_CURRENT_USER;
  m_nLazyWrite = 1;
}

BOOL CRegistryStore::SetRoot(HKEY hRootKey) {
  if (!IsPredefinedRoot(hRootKey))
    return FALSE;
  m_hRootKey = hRootKey;
  return TRUE;
}

BOOL CRegistryStore::SetKey(LPCSTR pszPath, BOOL bCreate) {
  if (pszPath == nullptr || *pszPath == '\0') {
    m_strCurrentPath.Empty();
    return TRUE;
  }
  HKEY hKey = nullptr;
  if (bCreate) {
    DWORD dwDisposition = 0;
    m_nLastResult = ::RegCreateKeyExA(m_hRootKey, pszPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                      &hKey, &dwDisposition);
  } else {
    m_nLastResult = ::RegOpenKeyExA(m_hRootKey, pszPath, 0, KEY_ALL_ACCESS, &hKey);
  }
  if (m_nLastResult != ERROR_SUCCESS)
    return FALSE;
  m_strCurrentPath = pszPath;
  CloseKey(hKey, TRUE);
  return TRUE;
}

BOOL CRegistryStore::CreateKey(LPCSTR pszPath) {
  if (pszPath == nullptr)
    return FALSE;
  HKEY hKey = nullptr;
  DWORD dwDisposition = 0;
  if (::RegCreateKeyExA(m_hRootKey, pszPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hKey,
                        &dwDisposition) != ERROR_SUCCESS)
    return FALSE;
  CloseKey(hKey, TRUE);
  m_strCurrentPath = pszPath;
  return TRUE;
}

BOOL CRegistryStore::KeyExists(LPCSTR pszPath, HKEY hParent) {
  HKEY hKey = nullptr;
  if (::RegOpenKeyExA(hParent != nullptr ? hParent : m_hRootKey, pszPath, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
    return FALSE;
  ::RegCloseKey(hKey);
  return TRUE;
}

BOOL CRegistryStore::DeleteKey(LPCSTR pszPath) {
  if (!KeyExists(pszPath))
    return TRUE;
  return ::RegDeleteKeyA(m_hRootKey, pszPath) == ERROR_SUCCESS;
}

BOOL CRegistryStore::DeleteValue(LPCSTR pszName) {
  HKEY hKey = OpenCurrent(KEY_SET_VALUE);
  if (hKey == nullptr)
    return FALSE;
  LONG result = ::RegDeleteValueA(hKey, pszName);
  ::RegCloseKey(hKey);
  return result == ERROR_SUCCESS;
}

BOOL CRegistryStore::ValueExists(LPCSTR pszName) {
  HKEY hKey = OpenCurrent(KEY_ALL_ACCESS);
  if (hKey == nullptr)
    return FALSE;
  LONG result = ::RegQueryValueExA(hKey, pszName, nullptr, nullptr, nullptr, nullptr);
  ::RegCloseKey(hKey);
  return result == ERROR_SUCCESS;
}

DWORD CRegistryStore::GetValueType(LPCSTR pszName) {
  HKEY hKey = nullptr;
  m_nLastResult = ::RegOpenKeyExA(m_hRootKey, m_strCurrentPath, 0, KEY_QUERY_VALUE, &hKey);
  if (m_nLastResult != ERROR_SUCCESS)
    return 0;
  DWORD dwType = 0;
  m_nLastResult = ::RegQueryValueExA(hKey, pszName, nullptr, &dwType, nullptr, nullptr);
  ::RegCloseKey(hKey);
  return m_nLastResult == ERROR_SUCCESS ? dwType : 0;
}

int CRegistryStore::GetValueSize(LPCSTR pszName) {
  HKEY hKey = OpenCurrent(KEY_QUERY_VALUE);
  if (hKey == nullptr)
    return -1;
  DWORD dwSize = 0;
  LONG result = ::RegQueryValueExA(hKey, pszName, nullptr, nullptr, nullptr, &dwSize);
  ::RegCloseKey(hKey);
  return result == ERROR_SUCCESS ? (int)dwSize : -1;
}

int CRegistryStore::GetSubKeyCount() {
  HKEY hKey = OpenCurrent(KEY_ALL_ACCESS);
  if (hKey == nullptr)
    return -1;
  DWORD dwSubKeys = 0;
  LONG result = ::RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, &dwSubKeys, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr);
  ::RegCloseKey(hKey);
  return result == ERROR_SUCCESS ? (int)dwSubKeys : -1;
}

int CRegistryStore::GetValueCount() {
  HKEY hKey = OpenCurrent(KEY_ALL_ACCESS);
  if (hKey == nullptr)
    return -1;
  DWORD dwValues = 0;
  LONG result = ::RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &dwValues, nullptr,
                                   nullptr, nullptr, nullptr);
  ::RegCloseKey(hKey);
  return result == ERROR_SUCCESS ? (int)dwValues : -1;
}

// --- Reads ---

int CRegistryStore::ReadInt(LPCSTR pszName, int nDefault) {
  int nValue = 0;
  return ReadRaw(pszName, &nValue, sizeof nValue) ? nValue : nDefault;
}

double CRegistryStore::ReadDouble(LPCSTR pszName, double dDefault) {
  double dValue = 0.0;
  return ReadRaw(pszName, &dValue, sizeof dValue) ? dValue : dDefault;
}

RegistryWords3 CRegistryStore::ReadWords3(LPCSTR pszName, const RegistryWords3& defaultValue) {
  RegistryWords3 value = {};
  return ReadRaw(pszName, &value, sizeof value) ? value : defaultValue;
}

CString CRegistryStore::ReadString(LPCSTR pszName, LPCSTR pszDefault) {
  DWORD dwType = GetValueType(pszName);
  if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
    return CString(pszDefault);
  HKEY hKey = OpenCurrent(KEY_READ);
  if (hKey == nullptr)
    return CString(pszDefault);
  // One byte more than a value may fill: a stored text without its
  // terminating zero still ends inside the buffer.
  char szBuffer[kStringBytes + 1] = {};
  DWORD dwSize = kStringBytes;
  m_nLastResult = ::RegQueryValueExA(hKey, pszName, nullptr, nullptr, (LPBYTE)szBuffer, &dwSize);
  ::RegCloseKey(hKey);
  if (m_nLastResult != ERROR_SUCCESS)
    return CString(pszDefault);
  szBuffer[dwSize < kStringBytes ? dwSize : kStringBytes] = '\0';
  return CString(szBuffer);
}

BOOL CRegistryStore::ReadFont(LPCSTR pszName, CFont* pFont) {
  LOGFONT lf = {};
  if (pFont == nullptr || !ReadRaw(pszName, &lf, sizeof lf))
    return FALSE;
  lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  pFont->DeleteObject();
  return pFont->CreateFontIndirect(&lf);
}

BOOL CRegistryStore::ReadBinary8(LPCSTR pszName, void* pBuffer) {
  BYTE data[8] = {};
  if (pBuffer == nullptr || !ReadRaw(pszName, data, sizeof data))
    return FALSE;
  memcpy(pBuffer, data, sizeof data);
  return TRUE;
}

BOOL CRegistryStore::ReadBinary16(LPCSTR pszName, void* pBuffer) {
  BYTE data[16] = {};
  if (pBuffer == nullptr || !ReadRaw(pszName, data, sizeof data))
    return FALSE;
  memcpy(pBuffer, data, sizeof data);
  return TRUE;
}

// --- Writes ---

BOOL CRegistryStore::WriteInt(LPCSTR pszName, int nValue) {
  return WriteRaw(pszName, REG_BINARY, &nValue, sizeof nValue);
}

BOOL CRegistryStore::WriteDouble(LPCSTR pszName, double dValue) {
  return WriteRaw(pszName, REG_BINARY, &dValue, sizeof dValue);
}

BOOL CRegistryStore::WriteWords3(LPCSTR pszName, const RegistryWords3& value) {
  return WriteRaw(pszName, REG_BINARY, &value, sizeof value);
}

BOOL CRegistryStore::WriteBinary16(LPCSTR pszName, const void* pBuffer) {
  if (pBuffer == nullptr)
    return FALSE;
  return WriteRaw(pszName, REG_BINARY, pBuffer, 16);
}

BOOL CRegistryStore::WriteFont(LPCSTR pszName, CFont* pFont) {
  LOGFONT lf = {};
  if (pFont == nullptr || pFont->GetLogFont(&lf) != (int)sizeof lf)
    return FALSE;
  return WriteRaw(pszName, REG_BINARY, &lf, sizeof lf);
}

BOOL CRegistryStore::WriteString(LPCSTR pszName, LPCSTR pszText) {
  if (pszText == nullptr)
    return FALSE;
  size_t nLength = strlen(pszText);
  if (nLength + 1 > kStringBytes)
    return FALSE;
  return WriteRaw(pszName, REG_SZ, pszText, (DWORD)nLength + 1);
}

// --- Helpers ---

HKEY CRegistryStore::OpenCurrent(REGSAM access) {
  HKEY hKey = nullptr;
  if (::RegOpenKeyExA(m_hRootKey, m_strCurrentPath, 0, access, &hKey) != ERROR_SUCCESS)
    return nullptr;
  return hKey;
}

BOOL CRegistryStore::ReadRaw(LPCSTR pszName, void* pBuffer, DWORD nSize) {
  HKEY hKey = OpenCurrent(KEY_READ);
  if (hKey == nullptr)
    return FALSE;
  DWORD dwSize = nSize;
  LONG result = ::RegQueryValueExA(hKey, pszName, nullptr, nullptr, (LPBYTE)pBuffer, &dwSize);
  ::RegCloseKey(hKey);
  return result == ERROR_SUCCESS;
}

BOOL CRegistryStore::WriteRaw(LPCSTR pszName, DWORD dwType, const void* pData, DWORD nSize) {
  HKEY hKey = OpenCurrent(KEY_WRITE);
  if (hKey == nullptr)
    return FALSE;
  LONG result = ::RegSetValueExA(hKey, pszName, 0, dwType, (const BYTE*)pData, nSize);
  CloseKey(hKey, result == ERROR_SUCCESS);
  return result == ERROR_SUCCESS;
}

void CRegistryStore::CloseKey(HKEY hKey, BOOL bWritten) {
  if (bWritten && m_nLazyWrite == 0)
    ::RegFlushKey(hKey);
  ::RegCloseKey(hKey);
}
