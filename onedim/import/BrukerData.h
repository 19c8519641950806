// Data files of Bruker experiments, decoded into the spectrum's floats.
//
//   file      layout
//   fid       td words
//   ser       n FIDs of td words each, back to back, or each padded with
//             zeros to a multiple of 1024 bytes (spectrometers write it so)
//   1r, 1i    td / 2 words each: the real and the imaginary parts
//   word      32-bit signed integer; 64-bit IEEE float when the acqus says
//             "##$DTYPA= 2"; big-endian when the byte-order flag is 1 (for
//             fid and ser the acqus' order, for 1r and 1i the procs' one).
//             WinNMR writes 32-bit IEEE floats in the PC's (little-endian)
//             order; its 1r and 1i follow a procs that says otherwise.
#pragma once

#include <cstddef>

#include "framework/base/File.h"
#include "framework/base/WinTypes.h"

enum BrukerWordKind { brukerWordInt32, brukerWordFloat64, brukerWordFloat32 };

// The largest number of floats (td) an import accepts: 8 M complex points,
// three buffers of 64 MB each in the 32-bit program.
const int kMaxImportFloats = 1 << 24;

// TRUE when td is a size a spectrum can have: even, 2 .. kMaxImportFloats.
BOOL IsValidImportSize(int td);

// Bytes of one word of that kind.
int BrukerWordSize(BrukerWordKind kind);

// Converts nWords words at pBytes into floats at pOut, pOut[0], pOut[nStride], ...
void DecodeBrukerWords(const BYTE* pBytes, std::size_t nWords, BrukerWordKind kind, BOOL bBigEndian, float* pOut,
                       std::size_t nStride);

// Reads nWords words from byte nOffset of the file into pOut with a stride
// of nStride floats. FALSE when the file holds fewer; read errors throw the
// file's exception.
BOOL ReadBrukerWords(CFile& file, ULONGLONG nOffset, int nWords, BrukerWordKind kind, BOOL bBigEndian, float* pOut,
                     std::size_t nStride);

// The distance in bytes between the starts of two FIDs of a series file of
// nFileSize bytes holding nFids records of nRecordBytes each: the record
// padded to 1024 bytes when the file is larger than back-to-back records
// would make it, or when its size is a whole number of padded records and
// not of plain ones (an acquisition stopped early); the record size otherwise.
ULONGLONG BrukerSeriesStride(ULONGLONG nFileSize, ULONGLONG nRecordBytes, int nFids);
