// Doubly linked lists walked by POSITION: the CList template and the three
// lists the programs use, of objects, of untyped pointers and of strings.
// A list of pointers never owns what they point at; its owner deletes them.
#pragma once

#include <cassert>
#include <utility>

#include "framework/base/Object.h"
#include "framework/base/Position.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
 public:
  // The block size is accepted for the callers' sake; nodes are allocated
  // one by one.
  explicit CList(int nBlockSize = 10) { (void)nBlockSize; }
  ~CList() override { RemoveAll(); }

  int GetCount() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return Checked(m_pHead)->data; }
  const TYPE& GetHead() const { return Checked(m_pHead)->data; }
  TYPE& GetTail() { return Checked(m_pTail)->data; }
  const TYPE& GetTail() const { return Checked(m_pTail)->data; }

  TYPE RemoveHead() {
    Node* node = Checked(m_pHead);
    TYPE value(std::move(node->data));
    Unlink(node);
    return value;
  }
  TYPE RemoveTail() {
    Node* node = Checked(m_pTail);
    TYPE value(std::move(node->data));
    Unlink(node);
    return value;
  }

  POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(nullptr, newElement); }
  POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(nullptr, newElement); }

  void RemoveAll() {
    Node* node = m_pHead;
    while (node) {
      Node* next = node->pNext;
      delete node;
      node = next;
    }
    m_pHead = m_pTail = nullptr;
    m_nCount = 0;
  }

  POSITION GetHeadPosition() const { return ToPos(m_pHead); }
  POSITION GetTailPosition() const { return ToPos(m_pTail); }

  // The element at rPosition; rPosition moves on to the next (or previous)
  // element, null past the end.
  TYPE& GetNext(POSITION& rPosition) {
    Node* node = Checked(rPosition);
    rPosition = ToPos(node->pNext);
    return node->data;
  }
  const TYPE& GetNext(POSITION& rPosition) const {
    const Node* node = Checked(rPosition);
    rPosition = ToPos(node->pNext);
    return node->data;
  }
  TYPE& GetPrev(POSITION& rPosition) {
    Node* node = Checked(rPosition);
    rPosition = ToPos(node->pPrev);
    return node->data;
  }
  const TYPE& GetPrev(POSITION& rPosition) const {
    const Node* node = Checked(rPosition);
    rPosition = ToPos(node->pPrev);
    return node->data;
  }

  TYPE& GetAt(POSITION position) { return Checked(position)->data; }
  const TYPE& GetAt(POSITION position) const { return Checked(position)->data; }
  void SetAt(POSITION position, ARG_TYPE newElement) { Checked(position)->data = newElement; }
  void RemoveAt(POSITION position) { Unlink(Checked(position)); }

  // A null position inserts at the head (before) or at the tail (after).
  POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
    Node* at = FromPos(position);
    Node* node = new Node{at ? at->pPrev : nullptr, at, TYPE(newElement)};
    if (!at) {
      node->pNext = m_pHead;
      if (m_pHead)
        m_pHead->pPrev = node;
    } else {
      at->pPrev = node;
    }
    if (node->pPrev)
      node->pPrev->pNext = node;
    else
      m_pHead = node;
    if (!node->pNext)
      m_pTail = node;
    ++m_nCount;
    return ToPos(node);
  }
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
    Node* at = FromPos(position);
    Node* node = new Node{at, at ? at->pNext : nullptr, TYPE(newElement)};
    if (!at) {
      node->pPrev = m_pTail;
      if (m_pTail)
        m_pTail->pNext = node;
    } else {
      at->pNext = node;
    }
    if (node->pNext)
      node->pNext->pPrev = node;
    else
      m_pTail = node;
    if (!node->pPrev)
      m_pHead = node;
    ++m_nCount;
    return ToPos(node);
  }

  // The first element equal to searchValue after startAfter (from the head
  // when null), or null.
  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const {
    const Node* node = startAfter ? FromPos(startAfter)->pNext : m_pHead;
    for (; node; node = node->pNext)
      if (node->data == searchValue)
        return ToPos(node);
    return nullptr;
  }

  // The position of the element at a zero-based index, or null when the
  // index is outside the list.
  POSITION FindIndex(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount)
      return nullptr;
    const Node* node = m_pHead;
    while (nIndex-- > 0)
      node = node->pNext;
    return ToPos(node);
  }

 private:
  struct Node {
    Node* pPrev;
    Node* pNext;
    TYPE data;
  };

  static POSITION ToPos(const Node* node) { return reinterpret_cast<POSITION>(const_cast<Node*>(node)); }
  static Node* FromPos(POSITION position) { return reinterpret_cast<Node*>(position); }
  // Positions and non-empty lists are the caller's promise.
  static Node* Checked(Node* node) {
    assert(node != nullptr);
    return node;
  }
  static Node* Checked(POSITION position) { return Checked(FromPos(position)); }

  void Unlink(Node* node) {
    if (node->pPrev)
      node->pPrev->pNext = node->pNext;
    else
      m_pHead = node->pNext;
    if (node->pNext)
      node->pNext->pPrev = node->pPrev;
    else
      m_pTail = node->pPrev;
    delete node;
    --m_nCount;
  }

  Node* m_pHead = nullptr;
  Node* m_pTail = nullptr;
  int m_nCount = 0;
};

class CObList : public CList<CObject*, CObject*> {
  DECLARE_DYNAMIC(CObList)
 public:
  explicit CObList(int nBlockSize = 10) : CList(nBlockSize) {}
};

class CPtrList : public CList<void*, void*> {
  DECLARE_DYNAMIC(CPtrList)
 public:
  explicit CPtrList(int nBlockSize = 10) : CList(nBlockSize) {}
};

class CStringList : public CList<CString, const CString&> {
  DECLARE_DYNAMIC(CStringList)
 public:
  explicit CStringList(int nBlockSize = 10) : CList(nBlockSize) {}
};
