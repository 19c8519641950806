// Fixed-width values in file layouts, in an explicit byte order, whatever the
// host. Every reader and writer goes through these: structures are never read
// or written whole, since padding and the width of long differ between builds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "framework/base/WinTypes.h"

// --- Reading from a byte pointer (the caller has checked the length) ---

inline std::uint16_t ReadU16LE(const BYTE* p) {
  return (std::uint16_t)(p[0] | (p[1] << 8));
}
inline std::uint16_t ReadU16BE(const BYTE* p) {
  return (std::uint16_t)((p[0] << 8) | p[1]);
}
inline std::uint32_t ReadU32LE(const BYTE* p) {
  return (std::uint32_t)p[0] | ((std::uint32_t)p[1] << 8) | ((std::uint32_t)p[2] << 16) | ((std::uint32_t)p[3] << 24);
}
inline std::uint32_t ReadU32BE(const BYTE* p) {
  return ((std::uint32_t)p[0] << 24) | ((std::uint32_t)p[1] << 16) | ((std::uint32_t)p[2] << 8) | (std::uint32_t)p[3];
}
inline std::uint64_t ReadU64LE(const BYTE* p) {
  return (std::uint64_t)ReadU32LE(p) | ((std::uint64_t)ReadU32LE(p + 4) << 32);
}
inline std::uint64_t ReadU64BE(const BYTE* p) {
  return ((std::uint64_t)ReadU32BE(p) << 32) | (std::uint64_t)ReadU32BE(p + 4);
}
inline std::int16_t ReadI16LE(const BYTE* p) {
  return (std::int16_t)ReadU16LE(p);
}
inline std::int16_t ReadI16BE(const BYTE* p) {
  return (std::int16_t)ReadU16BE(p);
}
inline std::int32_t ReadI32LE(const BYTE* p) {
  return (std::int32_t)ReadU32LE(p);
}
inline std::int32_t ReadI32BE(const BYTE* p) {
  return (std::int32_t)ReadU32BE(p);
}
inline std::int64_t ReadI64LE(const BYTE* p) {
  return (std::int64_t)ReadU64LE(p);
}
inline std::int64_t ReadI64BE(const BYTE* p) {
  return (std::int64_t)ReadU64BE(p);
}

// IEEE values travel as their bit patterns.
inline float FloatFromBits(std::uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}
inline double DoubleFromBits(std::uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}
inline std::uint32_t BitsOfFloat(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}
inline std::uint64_t BitsOfDouble(double d) {
  std::uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

inline float ReadF32LE(const BYTE* p) {
  return FloatFromBits(ReadU32LE(p));
}
inline float ReadF32BE(const BYTE* p) {
  return FloatFromBits(ReadU32BE(p));
}
inline double ReadF64LE(const BYTE* p) {
  return DoubleFromBits(ReadU64LE(p));
}
inline double ReadF64BE(const BYTE* p) {
  return DoubleFromBits(ReadU64BE(p));
}

// --- Writing to a byte pointer ---

inline void WriteU16LE(BYTE* p, std::uint16_t v) {
  p[0] = (BYTE)v;
  p[1] = (BYTE)(v >> 8);
}
inline void WriteU16BE(BYTE* p, std::uint16_t v) {
  p[0] = (BYTE)(v >> 8);
  p[1] = (BYTE)v;
}
inline void WriteU32LE(BYTE* p, std::uint32_t v) {
  p[0] = (BYTE)v;
  p[1] = (BYTE)(v >> 8);
  p[2] = (BYTE)(v >> 16);
  p[3] = (BYTE)(v >> 24);
}
inline void WriteU32BE(BYTE* p, std::uint32_t v) {
  p[0] = (BYTE)(v >> 24);
  p[1] = (BYTE)(v >> 16);
  p[2] = (BYTE)(v >> 8);
  p[3] = (BYTE)v;
}
inline void WriteU64LE(BYTE* p, std::uint64_t v) {
  WriteU32LE(p, (std::uint32_t)v);
  WriteU32LE(p + 4, (std::uint32_t)(v >> 32));
}
inline void WriteU64BE(BYTE* p, std::uint64_t v) {
  WriteU32BE(p, (std::uint32_t)(v >> 32));
  WriteU32BE(p + 4, (std::uint32_t)v);
}
inline void WriteI16LE(BYTE* p, std::int16_t v) {
  WriteU16LE(p, (std::uint16_t)v);
}
inline void WriteI16BE(BYTE* p, std::int16_t v) {
  WriteU16BE(p, (std::uint16_t)v);
}
inline void WriteI32LE(BYTE* p, std::int32_t v) {
  WriteU32LE(p, (std::uint32_t)v);
}
inline void WriteI32BE(BYTE* p, std::int32_t v) {
  WriteU32BE(p, (std::uint32_t)v);
}
inline void WriteI64LE(BYTE* p, std::int64_t v) {
  WriteU64LE(p, (std::uint64_t)v);
}
inline void WriteI64BE(BYTE* p, std::int64_t v) {
  WriteU64BE(p, (std::uint64_t)v);
}
inline void WriteF32LE(BYTE* p, float v) {
  WriteU32LE(p, BitsOfFloat(v));
}
inline void WriteF32BE(BYTE* p, float v) {
  WriteU32BE(p, BitsOfFloat(v));
}
inline void WriteF64LE(BYTE* p, double v) {
  WriteU64LE(p, BitsOfDouble(v));
}
inline void WriteF64BE(BYTE* p, double v) {
  WriteU64BE(p, BitsOfDouble(v));
}

// --- A bounds-checked reading cursor ---

enum class ByteOrder { LittleEndian, BigEndian };

// Reads fixed-width values from a buffer in one byte order. A read that
// would pass the end sets a sticky error flag, returns zero and leaves the
// position where it was; every later read fails too, so a reader decodes a
// whole header and checks HasError once. The buffer is not owned.
class CByteReader {
 public:
  CByteReader(const void* pData, std::size_t nSize, ByteOrder order)
      : m_pData(static_cast<const BYTE*>(pData)), m_nSize(pData != nullptr ? nSize : 0), m_order(order) {}

  ByteOrder GetByteOrder() const { return m_order; }
  void SetByteOrder(ByteOrder order) { m_order = order; }

  std::size_t GetSize() const { return m_nSize; }
  std::size_t GetPosition() const { return m_nPos; }
  std::size_t GetRemaining() const { return m_nSize - m_nPos; }
  bool HasError() const { return m_bError; }
  // True when n more bytes can be read (and no error is pending).
  bool Has(std::size_t n) const { return !m_bError && n <= m_nSize - m_nPos; }

  // Moving outside the buffer (one past the end is allowed) is an error.
  bool Seek(std::size_t nPos) {
    if (m_bError || nPos > m_nSize)
      return Fail();
    m_nPos = nPos;
    return true;
  }
  bool Skip(std::size_t n) {
    if (!Has(n))
      return Fail();
    m_nPos += n;
    return true;
  }

  // The next n bytes in place, or null (and the error set) when fewer remain.
  const BYTE* Take(std::size_t n) {
    if (!Has(n)) {
      Fail();
      return nullptr;
    }
    const BYTE* p = m_pData + m_nPos;
    m_nPos += n;
    return p;
  }
  // Copies n bytes; on failure the destination is zero-filled.
  bool ReadBytes(void* pDest, std::size_t n) {
    const BYTE* p = Take(n);
    if (p == nullptr) {
      if (n != 0)
        std::memset(pDest, 0, n);
      return false;
    }
    if (n != 0)
      std::memcpy(pDest, p, n);
    return true;
  }

  BYTE ReadU8() {
    const BYTE* p = Take(1);
    return p ? p[0] : 0;
  }
  std::uint16_t ReadU16() {
    const BYTE* p = Take(2);
    return p ? (IsBig() ? ReadU16BE(p) : ReadU16LE(p)) : 0;
  }
  std::uint32_t ReadU32() {
    const BYTE* p = Take(4);
    return p ? (IsBig() ? ReadU32BE(p) : ReadU32LE(p)) : 0;
  }
  std::uint64_t ReadU64() {
    const BYTE* p = Take(8);
    return p ? (IsBig() ? ReadU64BE(p) : ReadU64LE(p)) : 0;
  }
  std::int16_t ReadI16() { return (std::int16_t)ReadU16(); }
  std::int32_t ReadI32() { return (std::int32_t)ReadU32(); }
  std::int64_t ReadI64() { return (std::int64_t)ReadU64(); }
  float ReadF32() { return FloatFromBits(ReadU32()); }
  double ReadF64() { return DoubleFromBits(ReadU64()); }

 private:
  bool IsBig() const { return m_order == ByteOrder::BigEndian; }
  bool Fail() {
    m_bError = true;
    return false;
  }

  const BYTE* m_pData;
  std::size_t m_nSize;
  std::size_t m_nPos = 0;
  ByteOrder m_order;
  bool m_bError = false;
};
