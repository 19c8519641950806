// What the nD program's window tests share: a Bruker 2D experiment built
// from the documented records, with a decaying signal in both dimensions,
// and folders to keep files in.
#pragma once

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

// A fresh folder (ending with its separator) under the temporary folder,
// emptied of an earlier run's files.
inline std::string NdTestFolder(const std::string& name) {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + name + "\\";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  HANDLE hFind = ::FindFirstFileA((folder + "*").c_str(), &found);
  if (hFind != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        const std::string path = folder + found.cFileName;
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(path.c_str());
      }
    } while (::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
  }
  return folder;
}

inline void NdWriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

inline std::string NdAcqus(int td, double sw, double sfo1, int aqMod) {
  return "##TITLE= Parameter file\n##$AQ_mod= " + std::to_string(aqMod) + "\n##$BYTORDA= 0\n##$DECIM= 1\n" +
         "##$DSPFVS= 12\n##$SFO1= " + std::to_string(sfo1) + "\n##$SW_h= " + std::to_string(sw) +
         "\n##$TD= " + std::to_string(td) + "\n##END=\n";
}

// Experiment folder "1" in folder: rows of td little-endian int32 values
// (td / 2 complex points), a signal decaying along both dimensions, f1 in
// States pairs (MC2 3). Returns the serial file's path.
inline std::string WriteNdExperiment(const std::string& folder, int rows, int td) {
  const std::string experiment = folder + "1\\";
  ::CreateDirectoryA(experiment.c_str(), nullptr);
  ::CreateDirectoryA((experiment + "pdata").c_str(), nullptr);
  ::CreateDirectoryA((experiment + "pdata\\1").c_str(), nullptr);
  NdWriteText(experiment + "acqus", NdAcqus(td, 6000.0, 500.13, 1));
  NdWriteText(experiment + "acqu2s", NdAcqus(rows, 2000.0, 125.76, 0));
  NdWriteText(experiment + "pdata\\1\\proc2s", "##$MC2= 3\n##$OFFSET= 120.5\n");
  NdWriteText(experiment + "pdata\\1\\procs", "##$OFFSET= 10.25\n");
  std::string bytes;
  for (int r = 0; r < rows; ++r) {
    const double row = std::exp(-r / 24.0) * std::cos(0.9 * r);
    for (int k = 0; k < td / 2; ++k) {
      const double decay = 2.0e6 * row * std::exp(-k / 30.0);
      for (double v : {decay * std::cos(0.7 * k), decay * std::sin(0.7 * k)}) {
        const std::uint32_t word = static_cast<std::uint32_t>(static_cast<std::int32_t>(v));
        for (int b = 0; b < 4; ++b)
          bytes += static_cast<char>(word >> (8 * b));
      }
    }
  }
  const std::string ser = experiment + "ser";
  NdWriteText(ser, bytes);
  return ser;
}
