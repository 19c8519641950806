// Experiment folders built on disk for the Bruker importer tests, and a
// document stand-in that records what an importer does.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "onedim/import/ImportTarget.h"
#include "onedim/import/MissingParameters.h"
#include "onedim/model/Spectrum.h"

// A fresh folder under the temporary folder, removed at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    static int s_nCount = 0;
    std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
      m_path = base / ("bruker_test_" + std::to_string(::rand()) + "_" + std::to_string(++s_nCount));
      if (std::filesystem::create_directories(m_path))
        break;
    }
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  // The path of a file inside, in this system's own form (backslashes on
  // Windows), creating the folders on the way.
  std::string Path(const std::string& relative) const {
    std::filesystem::path p = m_path / std::filesystem::path(relative).make_preferred();
    return p.string();
  }
  void Write(const std::string& relative, const std::string& bytes) const {
    std::filesystem::path p = m_path / std::filesystem::path(relative).make_preferred();
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), (std::streamsize)bytes.size());
  }
  void Remove(const std::string& relative) const {
    std::filesystem::remove(m_path / std::filesystem::path(relative).make_preferred());
  }

 private:
  std::filesystem::path m_path;
};

inline std::string Int32Bytes(const std::vector<int32_t>& words, bool bBigEndian) {
  std::string out;
  for (int32_t w : words) {
    uint32_t u = (uint32_t)w;
    for (int b = 0; b < 4; ++b) {
      int shift = bBigEndian ? 24 - 8 * b : 8 * b;
      out += (char)((u >> shift) & 0xFF);
    }
  }
  return out;
}

inline std::string Float32Bytes(const std::vector<float>& values, bool bBigEndian = false) {
  std::string out;
  for (float f : values) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    for (int b = 0; b < 4; ++b)
      out += (char)((u >> (bBigEndian ? 24 - 8 * b : 8 * b)) & 0xFF);
  }
  return out;
}

inline std::string Float64BigEndianBytes(const std::vector<double>& values) {
  std::string out;
  for (double d : values) {
    uint64_t u;
    std::memcpy(&u, &d, 8);
    for (int b = 0; b < 8; ++b)
      out += (char)((u >> (56 - 8 * b)) & 0xFF);
  }
  return out;
}

// Records what the importer does to the document; spectra in list order.
class FakeDocument : public CImportTarget {
 public:
  explicit FakeDocument(CScriptedMissingParameters::Answer answer = CScriptedMissingParameters::setValues)
      : policy(answer) {}

  void AppendHistory(LPCSTR lpszLine) override { history.push_back(lpszLine); }
  void SetImportError(LPCSTR lpszText) override { error = lpszText; }
  BOOL CheckMissingParameters(CSpectrumParams& params) override { return ::CheckMissingParameters(params, &policy); }
  CSpectrum* AddSpectrum(const CSpectrumParams& params, BOOL bAtEnd) override {
    auto spectrum = std::make_unique<CSpectrum>(params);
    current = spectrum.get();
    if (bAtEnd)
      spectra.push_back(std::move(spectrum));
    else
      spectra.push_front(std::move(spectrum));
    return current;
  }
  void SetSpectrumCount(int nCount) override { count = nCount; }

  bool HasHistory(const std::string& line) const {
    for (const std::string& h : history)
      if (h == line)
        return true;
    return false;
  }
  // Every spectrum has both buffers: no half-built spectrum is left behind.
  bool AllSpectraFilled() const {
    for (const auto& s : spectra)
      if (s->m_pData == nullptr || s->m_pRawData == nullptr)
        return false;
    return true;
  }

  CScriptedMissingParameters policy;
  std::vector<std::string> history;
  std::string error;
  std::deque<std::unique_ptr<CSpectrum>> spectra;
  CSpectrum* current = nullptr;
  int count = -1;
};
