// What the nD readers of spectrometer files share: names of the files beside
// the chosen one, parameter texts read as words, rows of samples read from a
// data file, the new data set, and where a reader's texts go.
#pragma once

#include <cstddef>
#include <string>

#include "framework/base/File.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CNdMessageSink;
class CSpectrum2D;
struct DimensionBlock;

// The path up to and including its last separator ('\\' or '/'); empty when
// it has none.
CString NdFolderOf(LPCSTR path);
// A file in the folder of `path`: `relative` names it with '\\' between its
// parts, which become the separator the path itself uses.
CString NdBeside(LPCSTR path, LPCSTR relative);
// Opens a reader's file for reading as raw bytes; false when it cannot.
bool NdOpenFile(CFile& file, LPCSTR path);
bool NdFileExists(LPCSTR path);

// A parameter file as text. The files are a few tens of kilobytes; what lies
// beyond the first few megabytes is not read. False when it cannot be opened.
bool NdReadText(LPCSTR path, std::string& text);

// The words of a parameter text, as "%s" reads them: runs of characters
// between blanks.
class CNdWords {
 public:
  explicit CNdWords(const std::string& text) : m_text(text) {}
  // The next word; false at the end.
  bool Next(std::string& word);
  // Passes over the rest of the current line.
  void SkipLine();

 private:
  const std::string& m_text;
  std::size_t m_nPos = 0;
};

bool NdBeginsWith(const std::string& word, const char* prefix);
// Numbers as atoi and atof read them, refused when no digit leads the word
// or the value is not finite.
bool NdParseInt(const std::string& word, int& value);
bool NdParseDouble(const std::string& word, double& value);
// A double as a float field holds it: beyond the float range it stays at the
// largest float of its sign (a plain conversion would be undefined).
float NdToFloat(double value);

// The texts of one import: the messages the user is shown go to the sink at
// once; the reason of a failure stays for the caller (the document's open
// fails, a tool prints it).
class CNdImportLog {
 public:
  explicit CNdImportLog(CNdMessageSink* sink) : m_pSink(sink) {}

  // Shows a text to the user (a warning, or the message of a failure).
  void Show(LPCSTR text);
  // Ends the import with a reason that is shown to the user; returns null
  // for the reader to return.
  CSpectrum2D* Fail(LPCSTR reason);
  // Ends the import with a reason for the caller only.
  CSpectrum2D* FailQuietly(LPCSTR reason);
  const CString& GetError() const { return m_strError; }

 private:
  CNdMessageSink* m_pSink;
  CString m_strError;
};

// Converts one stored sample at p into a float.
typedef float (*NdSampleDecoder)(const BYTE* p);
float NdDecodeInt32LE(const BYTE* p);
float NdDecodeInt32BE(const BYTE* p);
float NdDecodeInt16BE(const BYTE* p);
float NdDecodeFloat32BE(const BYTE* p);
float NdDecodeFloat64LE(const BYTE* p);
float NdDecodeFloat64BE(const BYTE* p);
float NdDecodeInt24BE(const BYTE* p);
float NdDecodeInt24LE(const BYTE* p);

// Where the rows of samples lie in a data file: the first at byte `start`,
// each next one `stride` bytes after it, `samples` samples of `sampleSize`
// bytes taken from each.
struct NdRowLayout {
  unsigned long long start = 0;
  unsigned long long stride = 0;
  long long rows = 0;
  long long samples = 0;
  int sampleSize = 4;

  // Bytes the file must hold for every row (no overflow: counts are ints).
  unsigned long long End() const;
};

// A new set of f1 rows of f2 complex points, with both dimension blocks and
// the zoom rectangle set and a zeroed buffer; null when it is too large or
// memory runs out.
CSpectrum2D* NdNewSet(const DimensionBlock& f1, const DimensionBlock& f2);
// Reads the rows into the set's buffer, rows x samples floats. The caller
// has checked that the file holds layout.End() bytes; false when a read
// still comes back short. Read errors throw the file's exception.
bool NdReadRows(CFile& file, const NdRowLayout& layout, NdSampleDecoder decode, float* out);
