// Files built byte by byte for the fixed-layout importer tests, and a
// document stand-in that records what an importer does.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "onedim/import/FixedImporter.h"
#include "onedim/import/ImportTarget.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

// A fresh folder under the temporary folder, removed at the end of the test.
class ImportFolder {
 public:
  ImportFolder() {
    static int s_nCount = 0;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
      m_path = base / ("fixed_import_" + std::to_string(::rand()) + "_" + std::to_string(++s_nCount));
      if (std::filesystem::create_directories(m_path))
        break;
    }
  }
  ~ImportFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  // The path of a file inside, in the system's own form.
  std::string Path(const std::string& name) const { return (m_path / name).make_preferred().string(); }
  // Cuts a file to its first n bytes.
  void Cut(const std::string& name, std::size_t n) const { std::filesystem::resize_file(m_path / name, n); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(m_path / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), (std::streamsize)bytes.size());
  }

 private:
  std::filesystem::path m_path;
};

// A file image: values put at absolute offsets, the image growing with zeros.
class Bytes {
 public:
  std::string str;

  Bytes& At(std::size_t nOffset, const std::string& bytes) {
    if (str.size() < nOffset + bytes.size())
      str.resize(nOffset + bytes.size(), '\0');
    str.replace(nOffset, bytes.size(), bytes);
    return *this;
  }
  Bytes& U8(std::size_t nOffset, unsigned v) { return At(nOffset, std::string(1, (char)v)); }
  Bytes& U16(std::size_t nOffset, std::uint32_t v, bool bBig) { return Int(nOffset, v, 2, bBig); }
  Bytes& U32(std::size_t nOffset, std::uint32_t v, bool bBig) { return Int(nOffset, v, 4, bBig); }
  Bytes& F32(std::size_t nOffset, float f, bool bBig) {
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    return Int(nOffset, u, 4, bBig);
  }
  Bytes& F64LE(std::size_t nOffset, double d) {
    std::uint64_t u;
    std::memcpy(&u, &d, 8);
    Int(nOffset, (std::uint32_t)u, 4, false);
    return Int(nOffset + 4, (std::uint32_t)(u >> 32), 4, false);
  }
  Bytes& Size(std::size_t n) {
    str.resize(n, '\0');
    return *this;
  }

 private:
  Bytes& Int(std::size_t nOffset, std::uint32_t v, int nBytes, bool bBig) {
    std::string b(nBytes, '\0');
    for (int i = 0; i < nBytes; ++i) {
      const int nShift = bBig ? 8 * (nBytes - 1 - i) : 8 * i;
      b[i] = (char)((v >> nShift) & 0xFF);
    }
    return At(nOffset, b);
  }
};

// Records what an importer does to the document; spectra in list order.
class RecordingTarget : public CImportTarget {
 public:
  void AppendHistory(LPCSTR lpszLine) override { history.push_back(lpszLine); }
  void SetImportError(LPCSTR lpszText) override { error = lpszText; }
  BOOL CheckMissingParameters(CSpectrumParams&) override {
    ++nQuestions;
    return TRUE;
  }
  CSpectrum* AddSpectrum(const CSpectrumParams& params, BOOL bAtEnd) override {
    spectra.push_back(std::make_unique<CSpectrum>(params));
    return spectra.back().get();
  }
  void SetSpectrumCount(int) override {}

  bool HasHistory(const std::string& line) const {
    for (const std::string& h : history)
      if (h == line)
        return true;
    return false;
  }
  CSpectrum& Only() {
    EXPECT_EQ(spectra.size(), 1u);
    return *spectra.front();
  }
  const CSpectrumParams& Params() { return Only().m_paramsA; }
  std::vector<float> Data() {
    CSpectrum& s = Only();
    return std::vector<float>(s.m_pData, s.m_pData + s.m_paramsA.td);
  }

  std::vector<std::string> history;
  std::string error;
  std::vector<std::unique_ptr<CSpectrum>> spectra;
  int nQuestions = 0;
};

// Runs an importer of type T on a path with a fresh target.
template <class T>
BOOL RunImport(RecordingTarget& target, const std::string& path) {
  T importer(target);
  return importer.Import(path.c_str());
}

// Imports every prefix of a file image in turn, under the same name (cut
// from the longest down): each must be refused with a reason and no spectrum, or read
// with both buffers filled and its values those of the whole file.
template <class T>
void CheckEveryPrefix(const ImportFolder& folder, const std::string& name, const std::string& image) {
  folder.Write(name, image);
  RecordingTarget whole;
  ASSERT_TRUE(RunImport<T>(whole, folder.Path(name))) << whole.error;
  const std::vector<float> full = whole.Data();
  for (std::size_t n = image.size(); n-- > 0;) {
    folder.Cut(name, n);
    RecordingTarget target;
    if (!RunImport<T>(target, folder.Path(name))) {
      ASSERT_FALSE(target.error.empty()) << "prefix " << n;
      ASSERT_TRUE(target.spectra.empty()) << "prefix " << n;
      continue;
    }
    ASSERT_EQ(target.spectra.size(), 1u) << "prefix " << n;
    CSpectrum& s = *target.spectra.front();
    ASSERT_NE(s.m_pData, nullptr);
    ASSERT_NE(s.m_pRawData, nullptr);
    ASSERT_LE((std::size_t)s.m_paramsA.td, full.size()) << "prefix " << n;
    for (int i = 0; i < s.m_paramsA.td; ++i)
      ASSERT_EQ(s.m_pData[i], full[i]) << "prefix " << n << " value " << i;
  }
  folder.Write(name, image);
}

// Fails every float allocation while it lives.
class FailingAllocations {
 public:
  FailingAllocations() {
    m_pfnOld = CSpectrum::SetAllocationHook([](std::size_t) { return false; });
  }
  ~FailingAllocations() { CSpectrum::SetAllocationHook(m_pfnOld); }

 private:
  CSpectrum::AllocationHook m_pfnOld;
};
