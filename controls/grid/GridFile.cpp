#include "controls/grid/GridFile.h"

#include <cstring>

#include "framework/base/File.h"
#include "framework/base/FileReplace.h"

void CGridFileReader::EndLine() {
  std::vector<CString> fields;
  size_t start = 0;
  for (;;) {
    size_t comma = m_line.find(',', start);
    size_t end = comma == std::string::npos ? m_line.size() : comma;
    fields.emplace_back(m_line.data() + start, (int)(end - start));
    if (comma == std::string::npos)
      break;
    start = comma + 1;
  }
  m_line.clear();
  m_rows.push_back(std::move(fields));
}

BOOL CGridFileReader::Feed(const char* pData, size_t nLength) {
  for (size_t i = 0; i < nLength && !m_bDamaged; ++i) {
    const char ch = pData[i];
    if (ch == '\n')
      EndLine();
    else if (ch == '\0' || m_line.size() >= (size_t)kGridFileMaxLine)
      m_bDamaged = TRUE;
    else
      m_line += ch;
  }
  return !m_bDamaged;
}

BOOL CGridFileReader::Finish() {
  if (!m_bDamaged && !m_line.empty())
    EndLine();
  if (m_bDamaged)
    m_rows.clear();
  return !m_bDamaged;
}

BOOL ReadGridFile(CFile& file, CGridFileRows& rows) {
  CGridFileReader reader;
  char buffer[4096];
  for (;;) {
    UINT nRead = file.Read(buffer, sizeof(buffer));
    if (nRead == 0 || !reader.Feed(buffer, nRead))
      break;
  }
  const BOOL ok = reader.Finish();
  rows = reader.GetRows();
  return ok;
}

BOOL FormatGridFileLine(const std::vector<CString>& fields, CString& line) {
  line.Empty();
  for (size_t i = 0; i < fields.size(); ++i) {
    // Load would split a comma's text into two cells and a line feed's row
    // into two rows: such a grid cannot be written without changing it.
    if (fields[i].Find('\n') >= 0 || fields[i].Find(',') >= 0 ||
        std::strlen(fields[i]) != (size_t)fields[i].GetLength())
      return FALSE;
    if (i > 0)
      line += ',';
    line += fields[i];
  }
  return line.GetLength() <= kGridFileMaxLine;
}

BOOL SaveGridFile(LPCSTR pszPath, const CGridFileRows& rows, CString& message) {
  const char* const kCannotSave = "Unable to save grid list";
  CString text;
  for (const std::vector<CString>& row : rows) {
    CString line;
    if (!FormatGridFileLine(row, line)) {
      message = kCannotSave;
      return FALSE;
    }
    text += line + "\n";
  }
  switch (ReplaceFileContents(
      pszPath, CFile::typeText, [&text](CFile& file) { file.Write((LPCSTR)text, (UINT)text.GetLength()); }, message)) {
    case fileReplaced:
      return TRUE;
    case fileNotWritten:
      message = kCannotSave;
      return FALSE;
    default:
      return FALSE;
  }
}
