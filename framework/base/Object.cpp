#include "framework/base/Object.h"

#include <cstring>

namespace {

// Head of the chain of serialisable classes. Zero-initialised before any
// registration runs, so registration order between files does not matter.
CRuntimeClass* g_pFirstClass = nullptr;

}  // namespace

CObject* CRuntimeClass::CreateObject() const {
  if (m_pfnCreateObject == nullptr)
    return nullptr;
  return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  for (const CRuntimeClass* p = this; p != nullptr; p = p->m_pBaseClass) {
    if (p == pBaseClass)
      return TRUE;
  }
  return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
  if (lpszClassName == nullptr)
    return nullptr;
  for (CRuntimeClass* p = g_pFirstClass; p != nullptr; p = p->m_pNextClass) {
    if (std::strcmp(p->m_lpszClassName, lpszClassName) == 0)
      return p;
  }
  return nullptr;
}

void CRuntimeClass::Register(CRuntimeClass* pClass) {
  for (CRuntimeClass* p = g_pFirstClass; p != nullptr; p = p->m_pNextClass) {
    if (p == pClass)
      return;
  }
  pClass->m_pNextClass = g_pFirstClass;
  g_pFirstClass = pClass;
}

CRuntimeClass* CObject::GetThisClass() {
  static CRuntimeClass rc = {"CObject", (int)sizeof(CObject), 0xFFFF, nullptr, nullptr, nullptr};
  return &rc;
}

CRuntimeClass* CObject::GetRuntimeClass() const {
  return GetThisClass();
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
  return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const {
  return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&) {
  // A class with nothing of its own to store.
}
