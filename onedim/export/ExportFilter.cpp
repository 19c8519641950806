#include "onedim/export/ExportFilter.h"

#include "onedim/model/TextString.h"

namespace {

// The pattern of an entry: "*.txt" in "ASCII (*.txt)"; the first of several
// ("*.txt;*.dat"); "*.*" when the entry names none.
CString EntryPattern(const CTextString& strEntry) {
  CTextString strPattern = strEntry.Between("(", ")");
  strPattern = strPattern.GetField(';', 0);
  strPattern.TrimLeft();
  strPattern.TrimRight();
  return strPattern.IsEmpty() ? CString("*.*") : CString(strPattern);
}

// Where the name proper begins: after the last folder separator.
int NameStart(const CString& strPath) {
  int nSlash = strPath.ReverseFind('\\');
  int nForward = strPath.ReverseFind('/');
  int nColon = strPath.ReverseFind(':');
  int nStart = nSlash > nForward ? nSlash : nForward;
  if (nColon > nStart)
    nStart = nColon;
  return nStart + 1;
}

}  // namespace

CExportFilter::CExportFilter(LPCSTR pszFilterList, LPCSTR pszInitialName) {
  CString strList(pszFilterList);
  int nPos = 0;
  const int nLength = strList.GetLength();
  while (m_nEntries < MaxEntries) {
    while (nPos < nLength && strList[nPos] == '|')
      nPos++;
    if (nPos >= nLength)
      break;
    CTextString strEntry;
    char chQuote = strList[nPos];
    if (chQuote == '"' || chQuote == '\'') {
      int nClose = strList.Find(chQuote, nPos + 1);
      if (nClose < 0)
        nClose = nLength;
      strEntry = strList.Mid(nPos + 1, nClose - nPos - 1);
      nPos = strList.Find('|', nClose);
      if (nPos < 0)
        nPos = nLength;
    } else {
      int nBar = strList.Find('|', nPos);
      if (nBar < 0)
        nBar = nLength;
      strEntry = strList.Mid(nPos, nBar - nPos);
      nPos = nBar;
    }
    CString strPattern = EntryPattern(strEntry);
    m_strFilter += strEntry + "|" + strPattern + "|";
    m_arrExtensions[m_nEntries++] = strPattern.Mid(1);
  }
  // The common dialog wants zeros where the text has bars, and two at the end.
  m_dialogFilter.assign((LPCSTR)m_strFilter, (size_t)m_strFilter.GetLength());
  for (char& c : m_dialogFilter)
    if (c == '|')
      c = '\0';
  m_dialogFilter.push_back('\0');

  CString strInitial(pszInitialName);
  if (strInitial.IsEmpty())
    strInitial = "*" + GetExtension(0);
  m_strFileName = Bounded(strInitial);
  int nDot = m_strFileName.ReverseFind('.');
  if (nDot >= NameStart(m_strFileName)) {
    CString strExtension = m_strFileName.Mid(nDot);
    for (int i = 0; i < m_nEntries; i++) {
      if (strExtension.CompareNoCase(m_arrExtensions[i]) == 0) {
        m_nFilterIndex = i + 1;
        break;
      }
    }
  }
}

CString CExportFilter::GetExtension(int nEntry) const {
  return nEntry >= 0 && nEntry < m_nEntries ? m_arrExtensions[nEntry] : CString();
}

CString CExportFilter::Bounded(const CString& str) {
  return str.Left(MaxFileName - 1);
}

void CExportFilter::OnTypeChange(LPCSTR pszName, LPCSTR pszTypeText, int nSelection) {
  m_strFileName = ChangeExtension(pszName, pszTypeText);
  m_nFilterIndex = nSelection + 1;
}

CString CExportFilter::ChangeExtension(LPCSTR pszName, LPCSTR pszTypeText) {
  CString strName(pszName);
  CTextString strType(pszTypeText);
  CString strExtension = strType.Between("*", ")");
  if (strExtension.IsEmpty())
    return Bounded(strName);
  if (strName.IsEmpty())
    return Bounded("*" + strExtension);
  // Points in folder names are not the name's extension.
  int nDot = strName.Find('.', NameStart(strName));
  if (nDot < 0)
    return Bounded(strName + strExtension);
  return Bounded(strName.Left(nDot) + strExtension);
}
