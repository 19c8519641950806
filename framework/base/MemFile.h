// A file held in memory: either a growable buffer of its own or a caller's
// buffer attached to it. Reads past the end come up short, as on disk.
#pragma once

#include <cstddef>

#include "framework/base/File.h"

class CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)

 public:
  // An empty file that grows in steps of nGrowBytes.
  explicit CMemFile(UINT nGrowBytes = 1024);
  // A file over the caller's buffer; see Attach.
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  ~CMemFile() override;

  // Uses the caller's buffer as the file. With nGrowBytes 0 the file holds
  // the buffer's nBufferSize bytes and cannot grow beyond them (a write past
  // the end throws diskFull). Otherwise the file starts empty and, when it
  // outgrows the buffer, moves to memory of its own (allocated with malloc);
  // the caller's buffer is never reallocated or freed.
  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  // Gives up the buffer and returns it. If the file had moved to memory of
  // its own, the caller now owns that memory and frees it with free().
  BYTE* Detach();

  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  ULONGLONG GetPosition() const override;
  ULONGLONG GetLength() const override;
  void SetLength(ULONGLONG nNewLen) override;
  void Flush() override;
  void Close() override;
  void Abort() override;

 private:
  // Makes room for nNewSize bytes, or throws.
  void GrowBuffer(std::size_t nNewSize);
  void FreeOwned();

  BYTE* m_lpBuffer = nullptr;
  std::size_t m_nBufferSize = 0;
  std::size_t m_nFileSize = 0;
  std::size_t m_nPosition = 0;
  UINT m_nGrowBytes = 1024;
  bool m_bOwned = false;  // the buffer was allocated here
};
