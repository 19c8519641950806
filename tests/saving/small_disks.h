// Folders where a save cannot succeed, for the tests that check what a
// failed save leaves: a read-only folder and a full disk, each holding an
// earlier file (earlier.bin, kEarlierBytes). Where small_disks.sh could
// mount its disks (BRIVANE_SMALL_DISKS names their folder) they are real
// file systems, a read-only one and one filled to its last byte; elsewhere
// the native build makes a folder without write permission (not for root,
// whom none stops) and limits the size of the files this process writes.
// Folder() is empty, with the reason in why, where neither can be had.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <filesystem>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace small_disks {

const char kEarlierBytes[] = "earlier\n";

// The folder of the mounted disk, in this build's form of a path
// (a Windows program reaches the machine's files through drive Z:), when
// small_disks.sh mounted it.
inline std::string Mounted(const char* disk) {
  const char* root = std::getenv("BRIVANE_SMALL_DISKS");
  if (root == nullptr || root[0] == '\0')
    return std::string();
  std::string folder = std::string(root) + "/";
#ifdef _WIN32
  folder = "Z:" + folder;
  for (char& c : folder)
    if (c == '/')
      c = '\\';
#endif
  std::ifstream list(folder + "mounted");
  std::string line;
  while (std::getline(list, line))
    if (line == disk)
      return folder + disk + (folder.back() == '\\' ? "\\" : "/");
  return std::string();
}

inline std::string Scratch(const char* name) {
  const char* tmp = std::getenv("TEST_TMPDIR");
  std::string folder = tmp != nullptr && tmp[0] != '\0' ? tmp : std::filesystem::temp_directory_path().string() + "/";
  return folder + name + "/";
}

inline std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    names.insert(entry.path().filename().string());
  return names;
}

// A folder in which no file can be made, holding earlier.bin.
class ReadOnlyFolder {
 public:
  ReadOnlyFolder() {
    m_folder = Mounted("readonly");
    if (!m_folder.empty())
      return;
#ifndef _WIN32
    if (::geteuid() == 0) {
      why = "no read-only disk is mounted (small_disks.sh), and no permission stops root";
      return;
    }
    m_folder = Scratch("read-only folder");
    std::filesystem::create_directories(m_folder);
    std::ofstream(m_folder + "earlier.bin", std::ios::binary) << kEarlierBytes;
    std::filesystem::permissions(m_folder, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                               std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    m_bMade = true;
#else
    why = "no read-only disk is mounted (small_disks.sh)";
#endif
  }
  ~ReadOnlyFolder() {
    if (m_bMade)
      std::filesystem::permissions(m_folder, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  const std::string& Folder() const { return m_folder; }
  std::string why;

 private:
  std::string m_folder;
  bool m_bMade = false;
};

// A folder on a disk with no room left, holding earlier.bin: the mounted
// small disk with a filler taking its last byte, or a scratch folder while
// this process may write no file longer than earlier.bin.
class FullDisk {
 public:
  FullDisk() {
    m_folder = Mounted("full");
    if (!m_folder.empty()) {
      std::error_code ec;
      for (const auto& entry : std::filesystem::directory_iterator(m_folder, ec))
        std::filesystem::remove_all(entry.path(), ec);
      std::ofstream(m_folder + "earlier.bin", std::ios::binary) << kEarlierBytes;
      Fill(m_folder + "filler");
      return;
    }
#ifndef _WIN32
    m_folder = Scratch("full disk");
    std::filesystem::create_directories(m_folder);
    std::ofstream(m_folder + "earlier.bin", std::ios::binary) << kEarlierBytes;
    // Beyond the limit a write fails (EFBIG) instead of raising SIGXFSZ.
    ::getrlimit(RLIMIT_FSIZE, &m_limit);
    m_oldSignal = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = m_limit;
    small.rlim_cur = sizeof kEarlierBytes - 1;
    m_bLimited = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    if (!m_bLimited)
      why = "no small disk is mounted (small_disks.sh), and the file size limit cannot be set";
#else
    why = "no small disk is mounted (small_disks.sh)";
#endif
  }
  ~FullDisk() {
#ifndef _WIN32
    if (m_bLimited) {
      ::setrlimit(RLIMIT_FSIZE, &m_limit);
      ::signal(SIGXFSZ, m_oldSignal);
    }
#endif
    std::error_code ec;
    if (!m_folder.empty())
      for (const auto& entry : std::filesystem::directory_iterator(m_folder, ec))
        std::filesystem::remove_all(entry.path(), ec);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

  const std::string& Folder() const { return why.empty() ? m_folder : m_none; }
  std::string why;

 private:
  // Writes until the disk takes no more.
  static void Fill(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
      return;
    std::setvbuf(file, nullptr, _IONBF, 0);
    static const char block[4096] = {};
    for (std::size_t n = sizeof block; n > 0;)
      if (std::fwrite(block, 1, n, file) != n)
        n /= 2;
    std::fclose(file);
  }

  std::string m_folder, m_none;
#ifndef _WIN32
  struct rlimit m_limit = {};
  void (*m_oldSignal)(int) = nullptr;
  bool m_bLimited = false;
#endif
};

}  // namespace small_disks
