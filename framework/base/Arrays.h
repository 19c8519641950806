// Growable arrays indexed from zero: the CArray template and the typed
// arrays the programs use. An array of pointers never owns what they point
// at; its owner deletes them. Removal and insertion counts are clamped to
// the array; an index read or written directly must be inside it. A size
// that cannot be allocated throws CMemoryException, as every allocation of
// the framework does.
#pragma once

#include <cassert>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/base/Object.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  CArray() = default;

  int GetSize() const { return (int)m_data.size(); }
  int GetCount() const { return (int)m_data.size(); }
  int GetUpperBound() const { return (int)m_data.size() - 1; }
  BOOL IsEmpty() const { return m_data.empty(); }

  // New elements are value-initialised (zero, null, empty). nGrowBy, when
  // not -1, sets the least number of elements added by each reallocation.
  void SetSize(int nNewSize, int nGrowBy = -1) {
    if (nGrowBy >= 0)
      m_nGrowBy = nGrowBy;
    if (nNewSize <= 0) {
      RemoveAll();
      return;
    }
    Reserve((size_t)nNewSize);
    m_data.resize((size_t)nNewSize);  // within the reserved capacity
  }

  const TYPE& GetAt(int nIndex) const { return m_data[Checked(nIndex)]; }
  void SetAt(int nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
  TYPE& ElementAt(int nIndex) { return m_data[Checked(nIndex)]; }
  const TYPE& ElementAt(int nIndex) const { return m_data[Checked(nIndex)]; }
  TYPE& operator[](int nIndex) { return ElementAt(nIndex); }
  const TYPE& operator[](int nIndex) const { return GetAt(nIndex); }

  TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }
  const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }

  // Grows the array as needed so that nIndex exists; a negative index is
  // ignored.
  void SetAtGrow(int nIndex, ARG_TYPE newElement) {
    if (nIndex < 0)
      return;
    TYPE value(newElement);  // newElement may be one of ours, moved by the growth
    if (nIndex >= GetSize())
      SetSize(nIndex + 1);
    m_data[(size_t)nIndex] = std::move(value);
  }

  // Returns the index of the new element.
  int Add(ARG_TYPE newElement) {
    TYPE value(newElement);
    Reserve((size_t)GetSize() + 1);
    m_data.push_back(std::move(value));
    return GetSize() - 1;
  }

  // Returns the index of the first appended element.
  int Append(const CArray& src) {
    int oldSize = GetSize();
    std::vector<TYPE> items(src.m_data);  // src may be this array
    Reserve((size_t)oldSize + items.size());
    for (TYPE& item : items)
      m_data.push_back(std::move(item));
    return oldSize;
  }

  void Copy(const CArray& src) {
    if (&src != this)
      m_data = src.m_data;
  }

  // Inserts nCount copies at nIndex; an index past the end grows the array
  // up to it first.
  void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1) {
    if (nCount <= 0)
      return;
    if (nIndex < 0)
      nIndex = 0;
    TYPE value(newElement);
    if (nIndex > GetSize())
      SetSize(nIndex);
    Reserve((size_t)GetSize() + (size_t)nCount);
    m_data.insert(m_data.begin() + nIndex, (size_t)nCount, value);
  }

  void InsertAt(int nStartIndex, const CArray* pNewArray) {
    if (!pNewArray || pNewArray->IsEmpty())
      return;
    if (nStartIndex < 0)
      nStartIndex = 0;
    std::vector<TYPE> items(pNewArray->m_data);  // may be this array
    if (nStartIndex > GetSize())
      SetSize(nStartIndex);
    Reserve((size_t)GetSize() + items.size());
    m_data.insert(m_data.begin() + nStartIndex, items.begin(), items.end());
  }

  // Removes up to nCount elements from nIndex; indexes outside the array
  // remove nothing.
  void RemoveAt(int nIndex, int nCount = 1) {
    if (nIndex < 0 || nIndex >= GetSize() || nCount <= 0)
      return;
    int count = nCount > GetSize() - nIndex ? GetSize() - nIndex : nCount;
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + count);
  }

  void RemoveAll() {
    m_data.clear();
    m_data.shrink_to_fit();
  }

  void FreeExtra() { m_data.shrink_to_fit(); }

 private:
  size_t Checked(int nIndex) const {
    assert(nIndex >= 0 && nIndex < GetSize());
    return (size_t)nIndex;
  }

  // Capacity for at least `needed` elements. Growth is geometric whatever the
  // grow-by, so adding one element at a time stays linear.
  void Reserve(size_t needed) {
    if (needed <= m_data.capacity())
      return;
    if (needed > (size_t)0x7FFFFFFF)
      AfxThrowMemoryException();  // sizes are ints
    size_t step = m_nGrowBy > 0 ? (size_t)m_nGrowBy : 4;
    if (step < m_data.size() / 2)
      step = m_data.size() / 2;
    size_t target = m_data.size() + step;
    if (target < needed || target > m_data.max_size())
      target = needed;
    try {
      m_data.reserve(target);
    } catch (const std::bad_alloc&) {
      AfxThrowMemoryException();
    } catch (const std::length_error&) {
      AfxThrowMemoryException();
    }
  }

  std::vector<TYPE> m_data;
  int m_nGrowBy = 0;
};

class CObArray : public CArray<CObject*, CObject*> {
  DECLARE_DYNAMIC(CObArray)
};

class CPtrArray : public CArray<void*, void*> {
  DECLARE_DYNAMIC(CPtrArray)
};

class CStringArray : public CArray<CString, const CString&> {
  DECLARE_DYNAMIC(CStringArray)
};

class CUIntArray : public CArray<UINT, UINT> {
  DECLARE_DYNAMIC(CUIntArray)
};

class CDWordArray : public CArray<DWORD, DWORD> {
  DECLARE_DYNAMIC(CDWordArray)
};

class CByteArray : public CArray<BYTE, BYTE> {
  DECLARE_DYNAMIC(CByteArray)
};

class CWordArray : public CArray<WORD, WORD> {
  DECLARE_DYNAMIC(CWordArray)
};
