// Hash maps keyed by case-sensitive strings. Iteration visits the entries in
// the order their keys were first added, so lists and files filled from a
// map come out the same on every run and in both builds. A map of pointers
// never owns what they point at.
#pragma once

#include <vector>

#include "framework/base/Object.h"
#include "framework/base/Position.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

template <class VALUE, class ARG_VALUE>
class CMapStringTo : public CObject {
 public:
  // The block size is accepted for the callers' sake; entries are allocated
  // one by one.
  explicit CMapStringTo(int nBlockSize = 10) { (void)nBlockSize; }
  ~CMapStringTo() override { RemoveAll(); }

  int GetCount() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(LPCSTR key, VALUE& rValue) const {
    const Assoc* assoc = Find(key, Hash(key));
    if (!assoc)
      return FALSE;
    rValue = assoc->value;
    return TRUE;
  }

  // The value of key, added (empty or null) when missing.
  VALUE& operator[](LPCSTR key) {
    UINT hash = Hash(key);
    Assoc* assoc = Find(key, hash);
    if (!assoc)
      assoc = NewAssoc(key, hash);
    return assoc->value;
  }

  void SetAt(LPCSTR key, ARG_VALUE newValue) { (*this)[key] = newValue; }

  BOOL RemoveKey(LPCSTR key) {
    UINT hash = Hash(key);
    if (m_buckets.empty())
      return FALSE;
    Assoc** link = &m_buckets[hash % m_buckets.size()];
    for (; *link; link = &(*link)->pNextInBucket) {
      Assoc* assoc = *link;
      if (assoc->hash == hash && assoc->key == key) {
        *link = assoc->pNextInBucket;
        (assoc->pPrev ? assoc->pPrev->pNext : m_pFirst) = assoc->pNext;
        (assoc->pNext ? assoc->pNext->pPrev : m_pLast) = assoc->pPrev;
        delete assoc;
        --m_nCount;
        return TRUE;
      }
    }
    return FALSE;
  }

  void RemoveAll() {
    Assoc* assoc = m_pFirst;
    while (assoc) {
      Assoc* next = assoc->pNext;
      delete assoc;
      assoc = next;
    }
    m_pFirst = m_pLast = nullptr;
    m_nCount = 0;
    m_buckets.clear();
    m_buckets.shrink_to_fit();
  }

  // Null when the map is empty. The entry just returned by GetNextAssoc may
  // be removed without disturbing the walk.
  POSITION GetStartPosition() const { return ToPos(m_pFirst); }
  void GetNextAssoc(POSITION& rNextPosition, CString& rKey, VALUE& rValue) const {
    const Assoc* assoc = reinterpret_cast<const Assoc*>(rNextPosition);
    rKey = assoc->key;
    rValue = assoc->value;
    rNextPosition = ToPos(assoc->pNext);
  }

  // Sets the number of hash buckets; the table also grows by itself as
  // entries are added.
  void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE) {
    (void)bAllocNow;
    Rehash(nHashSize > 0 ? nHashSize : 1);
  }

 private:
  struct Assoc {
    Assoc* pNextInBucket;
    Assoc* pPrev;  // insertion order
    Assoc* pNext;
    UINT hash;
    CString key;
    VALUE value;
  };

  static POSITION ToPos(const Assoc* assoc) { return reinterpret_cast<POSITION>(const_cast<Assoc*>(assoc)); }

  // FNV-1a over the key's bytes.
  static UINT Hash(LPCSTR key) {
    UINT hash = 2166136261u;
    if (key)
      for (const unsigned char* p = (const unsigned char*)key; *p; ++p)
        hash = (hash ^ *p) * 16777619u;
    return hash;
  }

  Assoc* Find(LPCSTR key, UINT hash) const {
    if (m_buckets.empty())
      return nullptr;
    for (Assoc* assoc = m_buckets[hash % m_buckets.size()]; assoc; assoc = assoc->pNextInBucket)
      if (assoc->hash == hash && assoc->key == key)
        return assoc;
    return nullptr;
  }

  Assoc* NewAssoc(LPCSTR key, UINT hash) {
    if (m_buckets.empty())
      Rehash(kDefaultHashSize);
    else if ((size_t)m_nCount >= m_buckets.size() * 2)
      Rehash((UINT)(m_buckets.size() * 2 + 1));
    Assoc* assoc = new Assoc{nullptr, m_pLast, nullptr, hash, CString(key), VALUE()};
    Assoc*& head = m_buckets[hash % m_buckets.size()];
    assoc->pNextInBucket = head;
    head = assoc;
    (m_pLast ? m_pLast->pNext : m_pFirst) = assoc;
    m_pLast = assoc;
    ++m_nCount;
    return assoc;
  }

  void Rehash(UINT nHashSize) {
    m_buckets.assign(nHashSize, nullptr);
    for (Assoc* assoc = m_pFirst; assoc; assoc = assoc->pNext) {
      Assoc*& head = m_buckets[assoc->hash % nHashSize];
      assoc->pNextInBucket = head;
      head = assoc;
    }
  }

  static constexpr UINT kDefaultHashSize = 17;

  std::vector<Assoc*> m_buckets;
  Assoc* m_pFirst = nullptr;
  Assoc* m_pLast = nullptr;
  int m_nCount = 0;
};

class CMapStringToString : public CMapStringTo<CString, LPCSTR> {
  DECLARE_DYNAMIC(CMapStringToString)
 public:
  explicit CMapStringToString(int nBlockSize = 10) : CMapStringTo(nBlockSize) {}

  // Storing: the archive's count, then key and value strings in iteration
  // order. Loading adds the stored pairs to the map; a key stored twice
  // keeps its later value.
  void Serialize(CArchive& ar) override;
};

class CMapStringToPtr : public CMapStringTo<void*, void*> {
  DECLARE_DYNAMIC(CMapStringToPtr)
 public:
  explicit CMapStringToPtr(int nBlockSize = 10) : CMapStringTo(nBlockSize) {}
};
