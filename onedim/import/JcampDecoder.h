// The ordinates of JCAMP-DX data lines, written as plain numbers (AFFN) or
// in the compressed ASDF forms:
//
//   form  characters                          meaning
//   AFFN  sign, digits, point, exponent       a value as written ("-12.5", "1.2E+03";
//                                             "E" is an exponent only on lines without
//                                             ASDF letters, and only before a sign)
//   SQZ   @ 0, A..I 1..9, a..i -1..-9         a value; the letter is its sign and first digit
//   DIF   % 0, J..R 1..9, j..r -1..-9         the previous value plus this difference
//   DUP   S..Z 1..8, s 9                      the previous item occurs this many times in all
//
// Digits after a letter continue its number ("A12" is 112, "J0" is +10).
// The first item of each line is its abscissa and is skipped. A DUP after a
// DIF repeats the difference. When a line ends in DIF form, the first
// ordinate of the next line repeats the last value (the Y check) and is not
// a new point. "$$" begins a comment; "?" is a missing value, read as 0.
#pragma once

#include <cstddef>

#include "framework/base/WinTypes.h"

class CAsdfDecoder {
 public:
  // Values go to pValues[0], pValues[nStride], ... at most nPoints of them.
  CAsdfDecoder(float* pValues, int nPoints, int nStride);

  // Decodes one line (without its line end). FALSE when a number is too
  // long or out of the range of a float; what was stored before stays.
  BOOL DecodeLine(const char* pLine, std::size_t nLength);

  int GetCount() const { return m_nCount; }
  BOOL IsFull() const { return m_nCount >= m_nPoints; }

 private:
  enum ItemKind { itemNone, itemValue, itemDifference, itemDuplicate };

  BOOL Store(double dValue);
  BOOL Apply(ItemKind kind, double dNumber, BOOL bFirstOrdinate);

  float* m_pValues;
  int m_nPoints;
  int m_nStride;
  int m_nCount = 0;
  double m_dLast = 0.0;            // the last value; 0 before the first
  double m_dDifference = 0.0;      // the last difference, repeated by a DUP after it
  BOOL m_bDifferenceForm = FALSE;  // the last item was a DIF (or a DUP of one)
  BOOL m_bCheckPending = FALSE;    // the last line ended in DIF form
};

// Decodes the data lines of one table, from pText up to nLength characters:
// lines end at a line feed; decoding stops when nPoints values are stored,
// at an empty line, at a line that begins "##" or at the end of the text.
// Returns the number of values stored, or -1 when a line holds a number
// that cannot be read. *pCutShort (when given) tells whether the last line
// decoded ran to the end of the text without a line feed: its last number
// may have been cut. *pAtLabel (when given) tells whether decoding stopped
// at a line that begins "##": the next record closed the table.
int DecodeAsdfLines(const char* pText, std::size_t nLength, float* pValues, int nPoints, int nStride,
                    BOOL* pCutShort = nullptr, BOOL* pAtLabel = nullptr);
