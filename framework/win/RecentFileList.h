// CRecentFileList: the last files opened, newest first, shown in the File
// menu in place of the ID_FILE_MRU_FILE1 entry and kept in the profile
// (section "Recent File List", values "File1" ... "FileN").
#pragma once

#include <vector>

#include "framework/base/String.h"
#include "framework/win/Win32.h"

class CCmdUI;

class CRecentFileList {
 public:
  CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen = 40);

  int GetSize() const { return (int)m_arrNames.size(); }
  // The path at nIndex (0 is the newest); empty when there is none.
  CString operator[](int nIndex) const;
  int GetCount() const;

  // Puts the path first; a path already listed (in any letter case) moves up.
  void Add(LPCSTR lpszPathName);
  void Remove(int nIndex);

  void ReadList();
  void WriteList();

  // The File-menu entries: one per file, "&1 name", or the disabled
  // placeholder when the list is empty.
  void UpdateMenu(CCmdUI* pCmdUI);
  // The text of entry nIndex as the menu shows it.
  CString GetDisplayName(int nIndex) const;

 private:
  UINT m_nStart;
  CString m_strSectionName;
  CString m_strEntryFormat;
  CString m_strOriginal;  // the placeholder entry's text
  int m_nMaxDisplayLength;
  std::vector<CString> m_arrNames;
};
