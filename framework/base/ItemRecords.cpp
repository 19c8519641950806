#include "framework/base/ItemRecords.h"

#include "framework/base/Endian.h"

DWORD ItemRecordCrc32(const BYTE* pData, std::size_t nSize) {
  DWORD crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < nSize; i++) {
    crc ^= pData[i];
    for (int k = 0; k < 8; k++)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::vector<BYTE> JoinItemRecords(const std::vector<CItemRecord>& records) {
  std::size_t nSize = 4;
  for (const CItemRecord& record : records)
    nSize += 8 + record.size();
  std::vector<BYTE> block(nSize);
  BYTE* p = block.data();
  WriteU32LE(p, (std::uint32_t)records.size());
  p += 4;
  for (const CItemRecord& record : records) {
    WriteU32LE(p, (std::uint32_t)record.size());
    WriteU32LE(p + 4, ItemRecordCrc32(record.data(), record.size()));
    p += 8;
    if (!record.empty())
      std::memcpy(p, record.data(), record.size());
    p += record.size();
  }
  return block;
}

std::vector<CItemRecord> SplitItemRecords(const BYTE* pData, std::size_t nSize, int* pnDamaged) {
  std::vector<CItemRecord> records;
  long long nDamaged = 0;
  CByteReader r(pData, nSize, ByteOrder::LittleEndian);
  std::uint32_t nCount = r.ReadU32();
  if (r.HasError())
    nCount = 0;
  for (std::uint32_t i = 0; i < nCount; i++) {
    std::uint32_t nLength = r.ReadU32();
    std::uint32_t nCrc = r.ReadU32();
    const BYTE* p = r.HasError() ? nullptr : r.Take(nLength);
    if (p == nullptr) {
      // Where the next record starts is lost with this one.
      nDamaged += nCount - i;
      break;
    }
    if (ItemRecordCrc32(p, nLength) != nCrc) {
      nDamaged++;
      continue;
    }
    records.emplace_back(p, p + nLength);
  }
  if (pnDamaged != nullptr)
    *pnDamaged = nDamaged > 0x7FFFFFFF ? 0x7FFFFFFF : (int)nDamaged;
  return records;
}
