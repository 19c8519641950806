#include "controls/grid/GridAxis.h"

#include <algorithm>
#include <climits>

int CGridAxis::GetSize(int nIndex) const {
  return nIndex >= 0 && nIndex < GetCount() ? m_sizes[nIndex] : -1;
}

BOOL CGridAxis::SetSize(int nIndex, int nSize) {
  if (nIndex < 0 || nIndex >= GetCount() || nSize < 0)
    return FALSE;
  if (m_sizes[nIndex] != nSize) {
    m_sizes[nIndex] = nSize;
    Touch(nIndex);
  }
  return TRUE;
}

void CGridAxis::SetCount(int nCount, int nDefault) {
  nCount = std::max(nCount, 0);
  Touch(std::min(nCount, GetCount()));
  m_sizes.resize(nCount, std::max(nDefault, 0));
  m_offsets.resize(nCount + 1);
}

void CGridAxis::Insert(int nIndex, int nSize) {
  nIndex = std::max(0, std::min(nIndex, GetCount()));
  m_sizes.insert(m_sizes.begin() + nIndex, std::max(nSize, 0));
  m_offsets.push_back(0);
  Touch(nIndex);
}

void CGridAxis::Remove(int nIndex) {
  if (nIndex < 0 || nIndex >= GetCount())
    return;
  m_sizes.erase(m_sizes.begin() + nIndex);
  m_offsets.pop_back();
  Touch(nIndex);
}

void CGridAxis::Swap(int nFirst, int nSecond) {
  if (nFirst < 0 || nSecond < 0 || nFirst >= GetCount() || nSecond >= GetCount() || m_sizes[nFirst] == m_sizes[nSecond])
    return;
  std::swap(m_sizes[nFirst], m_sizes[nSecond]);
  Touch(std::min(nFirst, nSecond));
}

void CGridAxis::Validate(int nUpTo) const {
  for (; m_nValid <= nUpTo; ++m_nValid)
    m_offsets[m_nValid] = m_offsets[m_nValid - 1] + m_sizes[m_nValid - 1];
}

int CGridAxis::GetOffset(int nIndex) const {
  nIndex = std::max(0, std::min(nIndex, GetCount()));
  Validate(nIndex);
  return (int)std::min<long long>(m_offsets[nIndex], INT_MAX);
}

int CGridAxis::FirstAtOrAfter(int nPos) const {
  Validate(GetCount());
  const int i = (int)(std::lower_bound(m_offsets.begin(), m_offsets.end(), (long long)nPos) - m_offsets.begin());
  return std::min(i, GetCount());
}

int CGridAxis::IndexAt(int nPos) const {
  if (nPos < 0)
    return -1;
  Validate(GetCount());
  // The last offset at or before nPos starts the span that holds it; rows of
  // no height before it are passed over.
  return (int)(std::upper_bound(m_offsets.begin(), m_offsets.end(), (long long)nPos) - m_offsets.begin()) - 1;
}
