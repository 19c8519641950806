// The grid's comma-separated text file. The first line holds the texts of
// the heading row, each further line one row; fields are separated by ","
// and written as they stand, without quotes (a text holding "," or a line
// feed is not written); every line ends with "\n" and
// holds at most kGridFileMaxLine characters. A row may have fewer or more
// fields than the heading line, and the last line may lack its line end. A
// file is read whole before any of it is used, so a damaged one changes
// nothing.
#pragma once

#include <string>
#include <vector>

#include "framework/base/String.h"

class CFile;

const int kGridFileMaxLine = 1023;

typedef std::vector<std::vector<CString>> CGridFileRows;

// Reads a grid file's text piece by piece (line ends already "\n").
class CGridFileReader {
 public:
  // FALSE once the text cannot be a grid file: a line longer than
  // kGridFileMaxLine or a zero byte.
  BOOL Feed(const char* pData, size_t nLength);
  // Takes a last line that has no line end.
  BOOL Finish();
  const CGridFileRows& GetRows() const { return m_rows; }

 private:
  void EndLine();

  CGridFileRows m_rows;
  std::string m_line;
  BOOL m_bDamaged = FALSE;
};

// Reads the rest of a file opened in text mode. FALSE for a damaged file
// (rows then holds nothing); the file's own errors are thrown.
BOOL ReadGridFile(CFile& file, CGridFileRows& rows);

// The line of a row as the file holds it, without its end. The texts go out
// as they stand. FALSE when the reader could not take the row back as it
// is: a text holding a line feed (its row would come back as two) or a ","
// (its cell would come back as two), or a line longer than kGridFileMaxLine.
BOOL FormatGridFileLine(const std::vector<CString>& fields, CString& line);

// Writes the rows (row 0 the headings) as a grid file at pszPath in text
// mode, replacing a file there only once the new one is whole. FALSE with
// the message to show when it cannot: the file layer's reason when no file
// can be made there or the one there may not be replaced, else "Unable to
// save grid list" (also for a row the file could not give back, refused
// before anything is made, see FormatGridFileLine).
BOOL SaveGridFile(LPCSTR pszPath, const CGridFileRows& rows, CString& message);
