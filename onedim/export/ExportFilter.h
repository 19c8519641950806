// The filter and the file name of the export save dialog. The caller gives
// a list of entries "description (*.ext)" separated by "|"; the common
// dialog gets the double-zero-terminated filter, and the file name keeps the
// extension of the chosen entry when the user picks another type.
#pragma once

#include <string>

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CExportFilter {
 public:
  enum { MaxEntries = 20, MaxFileName = 256 };

  // pszInitialName may be empty: "*" and the first entry's extension then.
  CExportFilter(LPCSTR pszFilterList, LPCSTR pszInitialName);

  // "ASCII (*.txt)|*.txt|" for each entry.
  const CString& GetFilterText() const { return m_strFilter; }
  // The same with every "|" a zero, ending in two zeros: for the dialog.
  const char* GetDialogFilter() const { return m_dialogFilter.c_str(); }
  int GetEntryCount() const { return m_nEntries; }
  // ".txt" for "ASCII (*.txt)"; ".*" for an entry without a pattern.
  CString GetExtension(int nEntry) const;
  // At most MaxFileName - 1 characters.
  const CString& GetFileName() const { return m_strFileName; }
  int GetFilterIndex() const { return m_nFilterIndex; }  // from 1

  // The user picked the type whose text is pszTypeText, at nSelection (from
  // 0) in the list: the name takes that type's extension.
  void OnTypeChange(LPCSTR pszName, LPCSTR pszTypeText, int nSelection);

  // pszName with the extension of the type text ("ASCII (*.txt)"): an empty
  // name becomes "*" and the extension; a name without a point gets it
  // appended; otherwise it replaces everything from the name's first point.
  // A type text without "*...)" leaves the name as it is.
  static CString ChangeExtension(LPCSTR pszName, LPCSTR pszTypeText);

 private:
  static CString Bounded(const CString& str);

  CString m_strFilter;
  std::string m_dialogFilter;
  CString m_arrExtensions[MaxEntries];
  int m_nEntries = 0;
  CString m_strFileName;
  int m_nFilterIndex = 1;
};
