#include "framework/win/RecentFileList.h"

#include "framework/win/CmdUI.h"
#include "framework/win/Menu.h"
#include "framework/win/WinApp.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen)
    : m_nStart(nStart),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen),
      m_arrNames(nSize > 0 ? (size_t)nSize : 0) {}

CString CRecentFileList::operator[](int nIndex) const {
  return nIndex >= 0 && nIndex < GetSize() ? m_arrNames[(size_t)nIndex] : CString();
}

int CRecentFileList::GetCount() const {
  int n = 0;
  while (n < GetSize() && !m_arrNames[(size_t)n].IsEmpty())
    ++n;
  return n;
}

void CRecentFileList::Add(LPCSTR lpszPathName) {
  if (GetSize() == 0 || lpszPathName == nullptr || *lpszPathName == '\0')
    return;
  char full[MAX_PATH];
  LPSTR lpszFilePart = nullptr;
  if (::GetFullPathNameA(lpszPathName, MAX_PATH, full, &lpszFilePart) == 0)
    lstrcpynA(full, lpszPathName, MAX_PATH);
  // The entry that drops out is the path itself when listed, else the oldest.
  int nFrom = GetSize() - 1;
  for (int i = 0; i < GetSize(); ++i) {
    if (!m_arrNames[(size_t)i].IsEmpty() && lstrcmpiA(m_arrNames[(size_t)i], full) == 0) {
      nFrom = i;
      break;
    }
  }
  for (int i = nFrom; i > 0; --i)
    m_arrNames[(size_t)i] = m_arrNames[(size_t)i - 1];
  m_arrNames[0] = full;
}

void CRecentFileList::Remove(int nIndex) {
  if (nIndex < 0 || nIndex >= GetSize())
    return;
  for (int i = nIndex; i + 1 < GetSize(); ++i)
    m_arrNames[(size_t)i] = m_arrNames[(size_t)i + 1];
  m_arrNames.back().Empty();
}

void CRecentFileList::ReadList() {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr)
    return;
  int n = 0;
  for (int i = 0; i < GetSize(); ++i) {
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    CString path = pApp->GetProfileString(m_strSectionName, entry);
    // Gaps left by hand-edited profiles close up.
    if (!path.IsEmpty())
      m_arrNames[(size_t)n++] = path;
  }
  for (int i = n; i < GetSize(); ++i)
    m_arrNames[(size_t)i].Empty();
}

void CRecentFileList::WriteList() {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr)
    return;
  // Rewritten whole, so no stale entry of a longer list survives.
  pApp->WriteProfileString(m_strSectionName, nullptr, nullptr);
  for (int i = 0; i < GetSize() && !m_arrNames[(size_t)i].IsEmpty(); ++i) {
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    pApp->WriteProfileString(m_strSectionName, entry, m_arrNames[(size_t)i]);
  }
}

CString CRecentFileList::GetDisplayName(int nIndex) const {
  CString path = (*this)[nIndex];
  if (path.GetLength() > m_nMaxDisplayLength) {
    // Drive or share, an ellipsis, and the file's name.
    int slash = path.ReverseFind('\\');
    CString name = slash >= 0 ? path.Mid(slash + 1) : path;
    int root = path.Find('\\');
    CString shortened = root >= 0 && root < slash ? path.Left(root + 1) + "...\\" + name : name;
    path = shortened.GetLength() <= m_nMaxDisplayLength ? shortened : name;
  }
  // A '&' in a name is shown, not taken as the mnemonic.
  CString escaped;
  for (int i = 0; i < path.GetLength(); ++i) {
    if (path[i] == '&')
      escaped += '&';
    escaped += path[i];
  }
  CString text;
  text.Format("&%d %s", nIndex + 1, (LPCSTR)escaped);
  return text;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
  CMenu* pMenu = pCmdUI->m_pMenu;
  if (pMenu == nullptr)
    return;  // a toolbar button has nothing to list
  if (m_strOriginal.IsEmpty())
    pMenu->GetMenuString(m_nStart, m_strOriginal, MF_BYCOMMAND);
  int nCount = GetCount();
  for (int i = 0; i < GetSize(); ++i)
    pMenu->DeleteMenu(m_nStart + (UINT)i, MF_BYCOMMAND);
  if (nCount == 0) {
    pMenu->InsertMenu(pCmdUI->m_nIndex, MF_BYPOSITION | MF_STRING | MF_GRAYED, m_nStart,
                      m_strOriginal.IsEmpty() ? "Recent File" : (LPCSTR)m_strOriginal);
  } else {
    for (int i = 0; i < nCount; ++i)
      pMenu->InsertMenu(pCmdUI->m_nIndex + (UINT)i, MF_BYPOSITION | MF_STRING, m_nStart + (UINT)i, GetDisplayName(i));
  }
  // The caller's walk over the menu goes on after the entries put in here.
  pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
  pCmdUI->m_bEnableChanged = TRUE;
}
