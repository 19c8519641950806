// The root of the framework's class tree: every persistent record and every
// window class derives from CObject, which carries a runtime class record
// (name, size, schema, base class, factory) so that archives can store an
// object's class by name and recreate it when loading.
#pragma once

#include <cstddef>

#include "framework/base/WinTypes.h"

class CObject;
class CArchive;

// Marks a stored schema as one the class can read in any version: loading
// accepts an older schema and the class asks the archive which one it got.
#define VERSIONABLE_SCHEMA (0x80000000u)

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;                   // 0xFFFF for classes that cannot be serialised
  CObject* (*m_pfnCreateObject)();  // null when not dynamically creatable
  CRuntimeClass* m_pBaseClass;
  CRuntimeClass* m_pNextClass;  // chain of registered classes, for lookup by name

  // A new object of this class, or null when the class cannot be created.
  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

  // The registered serialisable class of that name, or null.
  static CRuntimeClass* FromName(LPCSTR lpszClassName);
  static void Register(CRuntimeClass* pClass);
};

// Registers a class for lookup by name during static initialisation.
struct CClassRegistration {
  explicit CClassRegistration(CRuntimeClass* pClass) { CRuntimeClass::Register(pClass); }
};

class CObject {
 public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;

  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  BOOL IsSerializable() const;
  virtual void Serialize(CArchive& ar);

  static CRuntimeClass* GetThisClass();

 protected:
  CObject() = default;

 private:
  // Objects own buffers and are referenced by pointer from archives and
  // collections; copying one is never meant.
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)     \
 public:                                \
  static CRuntimeClass* GetThisClass(); \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
  DECLARE_DYNCREATE(class_name)    \
  friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

// The common body of the IMPLEMENT_ macros.
#define BRIVANE_IMPLEMENT_CLASS(class_name, base_class_name, schema, pfnNew)                \
  CRuntimeClass* class_name::GetThisClass() {                                               \
    static CRuntimeClass rc = {#class_name, (int)sizeof(class_name),        (UINT)(schema), \
                               pfnNew,      RUNTIME_CLASS(base_class_name), nullptr};       \
    return &rc;                                                                             \
  }                                                                                         \
  CRuntimeClass* class_name::GetRuntimeClass() const {                                      \
    return RUNTIME_CLASS(class_name);                                                       \
  }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  BRIVANE_IMPLEMENT_CLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
  CObject* class_name::CreateObject() {                  \
    return new class_name;                               \
  }                                                      \
  BRIVANE_IMPLEMENT_CLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                            \
  CObject* class_name::CreateObject() {                                                  \
    return new class_name;                                                               \
  }                                                                                      \
  BRIVANE_IMPLEMENT_CLASS(class_name, base_class_name, schema, class_name::CreateObject) \
  static CClassRegistration s_brivaneRegister_##class_name(RUNTIME_CLASS(class_name));   \
  CArchive& operator>>(CArchive& ar, class_name*& pOb) {                                 \
    pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));            \
    return ar;                                                                           \
  }
