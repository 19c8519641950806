// Spectrometer files built byte by byte for the nD reader tests, in a
// folder of their own, and the checks every reader gets: each prefix of a
// file and randomly damaged copies are refused with a reason or read whole.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ndim/data/Spectrum2D.h"
#include "ndim/import/NdImportSupport.h"
#include "tests/ndim/nd_test_support.h"

// A fresh folder under the temporary folder, removed at the end of the test.
class NdFolder {
 public:
  NdFolder() {
    static int s_count = 0;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    do
      m_path = base / ("nd_import_" + std::to_string(std::random_device()()) + "_" + std::to_string(++s_count));
    while (!std::filesystem::create_directories(m_path));
  }
  ~NdFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  // A file inside, as the system writes paths.
  std::string Path(const std::string& name) const { return (m_path / name).make_preferred().string(); }
  void Write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = m_path / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  void Remove(const std::string& name) const { std::filesystem::remove(m_path / name); }
  // Cuts a file to its first n bytes (cheaper than writing it again).
  void Cut(const std::string& name, std::size_t n) const { std::filesystem::resize_file(m_path / name, n); }

 private:
  std::filesystem::path m_path;
};

// Bytes of fixed-width values in either order.
inline std::string IntBytes(std::uint32_t v, int size, bool big) {
  std::string b(static_cast<std::size_t>(size), '\0');
  for (int i = 0; i < size; ++i)
    b[static_cast<std::size_t>(i)] =
        static_cast<char>(static_cast<std::uint64_t>(v) >> (big ? 8 * (size - 1 - i) : 8 * i));
  return b;
}
inline std::string FloatBytes(float f, bool big) {
  std::uint32_t u;
  std::memcpy(&u, &f, 4);
  return IntBytes(u, 4, big);
}

// One import: the set or the reason, and what the user was shown.
struct NdImport {
  std::unique_ptr<CSpectrum2D> set;
  std::string error;
  std::vector<std::string> shown;
};

inline NdImport RunReader(CSpectrum2D* (*reader)(LPCSTR, CNdImportLog&), const std::string& path) {
  RecordingSink sink;
  CNdImportLog log(&sink);
  NdImport result;
  result.set.reset(reader(path.c_str(), log));
  result.error = static_cast<LPCSTR>(log.GetError());
  result.shown = sink.messages;
  return result;
}

// The set as the reader leaves it: both blocks, the current dimension, the
// zoom over all points, the acquired flag and every float of the buffer.
inline void ExpectWholeSet(const CSpectrum2D& set, int f1, int f2, const std::vector<float>& data) {
  EXPECT_EQ(2, set.m_nLastDim);
  EXPECT_EQ(2, set.m_nCurrentDim);
  EXPECT_EQ(1, set.m_dims[0].m_nPoints);
  EXPECT_EQ(f1, set.m_dims[1].m_nPoints);
  EXPECT_EQ(f2, set.m_dims[2].m_nPoints);
  EXPECT_EQ(CRect(0, 0, f2, f1), set.m_zoom);
  EXPECT_EQ(1, set.m_bAcquired);
  EXPECT_FALSE(set.m_bReal);
  EXPECT_EQ(data, DataOf(set));
}

// Each shorter copy of file `name` (its full image given) must be refused
// with a reason or read with the leading values of the whole file; so must
// copies with a few random bytes changed from byte flipFrom on.
inline void CheckPrefixesAndFlips(const NdFolder& folder, const std::string& name, const std::string& image,
                                  const std::function<NdImport()>& import, std::size_t flipFrom = 0) {
  folder.Write(name, image);
  NdImport whole = import();
  ASSERT_TRUE(whole.set) << whole.error;
  const std::vector<float> full = DataOf(*whole.set);
  auto check = [&](const char* what, std::size_t n, bool prefix) {
    NdImport cut = import();
    if (!cut.set) {
      ASSERT_FALSE(cut.error.empty()) << what << n;
      return;
    }
    const std::vector<float> data = DataOf(*cut.set);
    if (prefix) {
      ASSERT_LE(data.size(), full.size()) << what << n;
      ASSERT_TRUE(std::equal(data.begin(), data.end(), full.begin())) << what << n;
    }
  };
  for (std::size_t n = image.size(); n-- > 0;) {
    folder.Cut(name, n);
    check("prefix ", n, true);
  }
  std::mt19937 random(1234);
  for (int round = 0; round < 60; ++round) {
    std::string damaged = image;
    for (int k = 0; k < 3; ++k)
      damaged[flipFrom + random() % (damaged.size() - flipFrom)] = static_cast<char>(random() & 0xFF);
    folder.Write(name, damaged);
    check("flip round ", static_cast<std::size_t>(round), false);
  }
  folder.Write(name, image);
}
