// A binary stream of values and objects over a CFile, little-endian in both
// builds. Objects travel with their class (name and schema); an object
// written twice comes back as one object.
//
// Layout, for readers of stored files:
//   BYTE, char: 1 byte; WORD, short: 2; DWORD, LONG, int, unsigned, float: 4;
//   double: 8.
//   CString: length L, then L bytes (no terminator). L < 255: one BYTE;
//     L < 0xFFFE: BYTE 0xFF then WORD L; otherwise BYTE 0xFF, WORD 0xFFFF,
//     DWORD L.
//   Count (collections): N < 0xFFFF: WORD N; otherwise WORD 0xFFFF, DWORD N.
//   Object: a DWORD tag. 0: null. 1..0x7FFFFFFF: the object stored with that
//     number earlier (objects are numbered from 1 in the order stored).
//     0xFFFFFFFF: a class seen for the first time follows (WORD schema, WORD
//     name length, the name), then the object's data. 0x80000000 | n: the
//     class numbered n (from 1, in order of first appearance), then the
//     object's data.
#pragma once

#include <climits>
#include <unordered_map>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/base/File.h"
#include "framework/base/Object.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CDocument;

class CArchive {
 public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096);
  // A storing archive that was neither closed nor aborted writes out what it
  // holds; a failure then is reported, since it cannot be thrown from here.
  ~CArchive();

  BOOL IsLoading() const { return m_bLoading ? TRUE : FALSE; }
  BOOL IsStoring() const { return m_bLoading ? FALSE : TRUE; }
  // The file underneath. Call Flush first before using it directly.
  CFile* GetFile() const { return m_pFile; }

  // Storing: writes the buffer to the file. Loading: moves the file back to
  // the archive's position, so that direct reads of the file continue there.
  void Flush();
  // Flushes and detaches from the file, which stays open.
  void Close();
  // Detaches from the file, dropping anything not yet written.
  void Abort();

  // Raw bytes. Read returns fewer than nMax only at the end of the file.
  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);

  // Lines of text. ReadString(CString&) drops the line end ("\n" or CR LF);
  // FALSE at the end when nothing was left. ReadString(LPSTR, nMax) keeps a
  // "\n" (a CR before it is dropped) and returns null at the end.
  // WriteString writes the characters as they are, without a terminator.
  BOOL ReadString(CString& rString);
  LPSTR ReadString(LPSTR lpsz, UINT nMax);
  void WriteString(LPCSTR lpsz);

  // Element counts of collections.
  void WriteCount(DWORD_PTR dwCount);
  DWORD_PTR ReadCount();

  void WriteObject(const CObject* pOb);
  // The next object, which must be of class pClassRefRequested or derived
  // from it (null accepts any). Null when a null pointer was stored.
  CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
  void WriteClass(const CRuntimeClass* pClassRef);
  CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr);
  // Writes or reads a class marker, so that a derived class's Serialize can
  // version its base class's part. After loading, GetObjectSchema gives the
  // stored schema.
  void SerializeClass(const CRuntimeClass* pClassRef);
  // The schema stored with the object being loaded, once; (UINT)-1 after that.
  UINT GetObjectSchema();
  void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

  // Fixed-width values. There is deliberately no overload for long, whose
  // width differs between the builds: cast to LONG or int.
  CArchive& operator<<(BYTE by);
  CArchive& operator<<(char ch);
  CArchive& operator<<(WORD w);
  CArchive& operator<<(short n);
  CArchive& operator<<(int n);
  CArchive& operator<<(unsigned n);
  CArchive& operator<<(float f);
  CArchive& operator<<(double d);
#if LONG_MAX == 0x7fffffffL
  // Where long is 32 bits, LONG and DWORD are long types (as the platform
  // declares them) and need overloads of their own; elsewhere they are int
  // types.
  CArchive& operator<<(LONG l);
  CArchive& operator<<(DWORD dw);
#endif
  CArchive& operator<<(const CObject* pOb);

  CArchive& operator>>(BYTE& by);
  CArchive& operator>>(char& ch);
  CArchive& operator>>(WORD& w);
  CArchive& operator>>(short& n);
  CArchive& operator>>(int& n);
  CArchive& operator>>(unsigned& n);
  CArchive& operator>>(float& f);
  CArchive& operator>>(double& d);
#if LONG_MAX == 0x7fffffffL
  CArchive& operator>>(LONG& l);
  CArchive& operator>>(DWORD& dw);
#endif
  CArchive& operator>>(CObject*& pOb);
  CArchive& operator>>(const CObject*& pOb);

  // The document being loaded or stored, for objects that need it.
  CDocument* m_pDocument = nullptr;

 private:
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  void CheckMode(bool bLoading) const;
  // Reads exactly nCount bytes or throws the end-of-file exception.
  void ReadExact(void* lpBuf, UINT nCount);
  BOOL FillBuffer();
  void WriteBuffer();
  CString GetName() const;
  [[noreturn]] void ThrowArchive(int cause) const;
  // Reads a tag: the class it names, or null with *pObTag set to an object
  // reference (0 for a null object).
  CRuntimeClass* ReadClassTag(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag);

  struct LoadedClass {
    CRuntimeClass* pClass;
    UINT nSchema;
  };

  CFile* m_pFile;
  bool m_bLoading;
  bool m_bNoFlushOnDelete;
  std::vector<BYTE> m_buffer;
  std::size_t m_nCur = 0;  // next byte to read, or bytes held for writing
  std::size_t m_nEnd = 0;  // bytes held for reading
  UINT m_nObjectSchema = (UINT)-1;

  std::unordered_map<const void*, DWORD> m_storedObjects;
  std::unordered_map<const CRuntimeClass*, DWORD> m_storedClasses;
  std::vector<CObject*> m_loadedObjects;
  std::vector<LoadedClass> m_loadedClasses;
};

CArchive& operator<<(CArchive& ar, const CString& str);
CArchive& operator>>(CArchive& ar, CString& str);
