// The named reference signals (solvents and TMS) of the Reference dialogs of
// both programs: a map from a signal's name to its shift in ppm, kept as the
// text the user typed. The list lives in "solvents.map" beside the program,
// written as the archive of a CMapStringToString:
//
//   offset  size      meaning
//   0       2         entry count N (little-endian); 0xFFFF: a 4-byte N follows
//   then N times      name string, shift string
//   string  1         length L when L < 255; else 0xFF and
//           2         L when L < 0xFFFE; else 0xFFFF and a 4-byte L
//           L         the characters, no terminator
//
// A file that cannot be read gives the built-in table. A damaged one gives
// it too, and is kept on disk until the user changes the list.
#pragma once

#include <cstddef>

#include "framework/base/Maps.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

// Longest name or shift: a string that needs the 4-byte length form is no
// entry of this list.
const int kSolventTextMax = 0xFFFD;

// Fills the map with the built-in signals (15 entries, " TMS" first).
void FillBuiltInSolvents(CMapStringToString& map);

// Decodes a whole solvents.map. The pairs go into the map only when every
// byte reads as entries; otherwise the map is untouched and strError says
// what is wrong.
BOOL DecodeSolvents(const BYTE* pData, std::size_t nSize, CMapStringToString& map, CString& strError);

// "solvents.map" in the folder of the given program file.
CString SolventsFilePath(LPCSTR pszModuleFile);

// A list box entry: the name, a tab, the shift. And the name back from one.
CString SolventListEntry(LPCSTR pszName, LPCSTR pszShift);
CString SolventNameOfEntry(LPCSTR pszEntry);

class CSolventTable {
 public:
  enum LoadResult { loadRead, loadMissing, loadDamaged };
  enum RemoveResult { removeNotFound, removeDiffers, removeDone };

  explicit CSolventTable(LPCSTR pszPath = "") : m_strPath(pszPath) {}
  // The file Load and Save use.
  void SetPath(LPCSTR pszPath) { m_strPath = pszPath; }

  // Reads the file. A missing or unreadable one gives the built-in table;
  // so does a damaged one, whose reason GetLoadError then holds.
  LoadResult Load();
  const CString& GetLoadError() const { return m_strLoadError; }

  // Name to shift, replacing an entry of that name.
  void Add(LPCSTR pszName, LPCSTR pszShift);
  // Removes the entry only when its stored shift is the given text byte for
  // byte; otherwise strStored gets the stored shift.
  RemoveResult Remove(LPCSTR pszName, LPCSTR pszShift, CString& strStored);
  void RemoveAll();
  BOOL Lookup(LPCSTR pszName, CString& strShift) const { return m_map.Lookup(pszName, strShift); }

  // Writes the list. A damaged file that the user left unchanged stays as
  // it is (TRUE). FALSE with the reason when the file cannot be written;
  // the old file is then as it was.
  BOOL Save(CString& strError);

  const CMapStringToString& GetMap() const { return m_map; }
  const CString& GetPath() const { return m_strPath; }

 private:
  CString m_strPath;
  CMapStringToString m_map{10};
  CString m_strLoadError;
  BOOL m_bDamaged = FALSE;
  BOOL m_bChanged = FALSE;
};
