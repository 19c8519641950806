// CGridAxis: the sizes of a grid's rows (or of its columns) in pixels, with
// the offset of each from the first kept on demand. Finding the row at a
// scroll position is then a binary search, so that painting, scrolling and
// hit-testing cost the same for a thousand rows as for a hundred thousand.
#pragma once

#include <vector>

#include "framework/base/WinTypes.h"

class CGridAxis {
 public:
  int GetCount() const { return (int)m_sizes.size(); }
  // -1 for an index outside the axis.
  int GetSize(int nIndex) const;
  // FALSE for an index outside the axis or a negative size.
  BOOL SetSize(int nIndex, int nSize);
  // Grows with entries of nDefault, or drops the last entries.
  void SetCount(int nCount, int nDefault);
  void Insert(int nIndex, int nSize);
  void Remove(int nIndex);
  void Swap(int nFirst, int nSecond);
  void RemoveAll() { SetCount(0, 0); }

  // The sum of the sizes before nIndex (0..count); clamped to the int range.
  int GetOffset(int nIndex) const;
  int GetTotal() const { return GetOffset(GetCount()); }
  // The sum of the sizes of nFirst..nLast.
  int GetSpan(int nFirst, int nLast) const { return GetOffset(nLast + 1) - GetOffset(nFirst); }
  // The first index whose offset is at or past nPos; the count when none is.
  int FirstAtOrAfter(int nPos) const;
  // The index whose span holds nPos; -1 before the first, the count past the last.
  int IndexAt(int nPos) const;

 private:
  void Touch(int nIndex) {
    if (m_nValid > nIndex + 1)
      m_nValid = nIndex + 1;
  }
  void Validate(int nUpTo) const;

  std::vector<int> m_sizes;
  // m_offsets[i] is the sum of the sizes before i, for i < m_nValid.
  mutable std::vector<long long> m_offsets = {0};
  mutable int m_nValid = 1;
};
