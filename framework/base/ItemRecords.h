// A list of opaque records (a document's embedded items) as one block of
// bytes, built so that damage costs as little as possible: each record
// carries its length and a checksum, so a damaged record is left out and
// the records after it are still found.
//
// Layout (little-endian):
//   0  uint32  number of records N
//   then N times: uint32 length L, uint32 CRC-32 of the bytes, L bytes.
#pragma once

#include <cstddef>
#include <vector>

#include "framework/base/WinTypes.h"

typedef std::vector<BYTE> CItemRecord;

std::vector<BYTE> JoinItemRecords(const std::vector<CItemRecord>& records);

// The records whose checksum holds. *pnDamaged: how many the block counts
// but could not give (a failed checksum, or a record running past the end,
// which ends the list). A block too short for its count is not a list.
std::vector<CItemRecord> SplitItemRecords(const BYTE* pData, std::size_t nSize, int* pnDamaged);

DWORD ItemRecordCrc32(const BYTE* pData, std::size_t nSize);
