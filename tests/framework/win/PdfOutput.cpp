#include "tests/framework/win/PdfOutput.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "framework/win/UiHooks.h"

namespace {

std::vector<std::string> g_found;  // deleted by DeleteFoundPdfs

std::string WindowsPathOf(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string UnixPathOf(const std::string& windowsPath) {
  std::string path = windowsPath.size() > 2 && windowsPath[1] == ':' ? windowsPath.substr(2) : windowsPath;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// The folders the PDF printer may write to (Windows paths): the one
// BRIVANE_PDF_DIR names, else the user's ~/PDF (home from the password
// file, as the printer finds it) and the printer's spool folders.
std::vector<std::string> PdfFolders() {
  std::vector<std::string> folders;
  if (const char* dir = std::getenv("BRIVANE_PDF_DIR"))
    folders.push_back(WindowsPathOf(dir));
  const char* user = std::getenv("USER");
  if (user == nullptr)
    user = std::getenv("USERNAME");
  std::string name = user != nullptr ? user : "root";
  std::ifstream passwd("Z:\\etc\\passwd");
  std::string line;
  while (std::getline(passwd, line)) {
    if (line.compare(0, name.size() + 1, name + ":") != 0)
      continue;
    std::vector<std::string> fields;
    std::stringstream ss(line);
    std::string field;
    while (std::getline(ss, field, ':'))
      fields.push_back(field);
    if (fields.size() >= 6)
      folders.push_back(WindowsPathOf(fields[5] + "/PDF"));
  }
  folders.push_back(WindowsPathOf("/var/spool/cups-pdf/" + name));
  folders.push_back(WindowsPathOf("/var/spool/cups-pdf/ANONYMOUS"));
  return folders;
}

std::string FindPdf(const std::string& title) {
  for (const std::string& folder : PdfFolders()) {
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA((folder + "\\" + title + "*.pdf").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
      continue;
    ::FindClose(hFind);
    return folder + "\\" + found.cFileName;
  }
  return std::string();
}

// Whether a PDF ends with its end-of-file marker (blanks after it aside).
bool EndsWithEofMarker(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in.seekg(0, std::ios::end))
    return false;
  const std::streamoff size = in.tellg();
  const std::streamoff n = std::min<std::streamoff>(size, 32);
  if (n < 5 || !in.seekg(size - n))
    return false;
  std::string tail((size_t)n, '\0');
  if (!in.read(&tail[0], n))
    return false;
  const size_t end = tail.find_last_not_of(" \t\r\n");
  return end != std::string::npos && end >= 4 && tail.compare(end - 4, 5, "%%EOF") == 0;
}

// Runs a shell command of the host. Wine starts host programs without a
// process handle to wait on, so the command ends by writing a marker file.
bool RunHostCommand(const std::string& command, const std::string& doneMarker, DWORD timeoutMs) {
  std::string line = "Z:\\bin\\sh -c \"" + command + "; echo $? > " + doneMarker + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  if (pi.hThread != nullptr)
    ::CloseHandle(pi.hThread);
  if (pi.hProcess != nullptr)
    ::CloseHandle(pi.hProcess);
  std::string marker = WindowsPathOf(doneMarker);
  DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < timeoutMs) {
    std::ifstream in(marker);
    int code = -1;
    if (in >> code)
      return code == 0;
    ::Sleep(100);
  }
  return false;
}

// A picture that pdftoppm wrote: P5 (grey) or P6 (colour), 8 bits.
bool ReadPnm(const std::string& path, PdfPage& page) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  if (!(in >> magic >> page.width >> page.height >> maxValue) || (magic != "P5" && magic != "P6") || maxValue != 255 ||
      page.width <= 0 || page.height <= 0 || page.width > 10000 || page.height > 10000)
    return false;
  page.channels = magic == "P6" ? 3 : 1;
  in.get();  // the one white-space byte before the pixels
  page.grey.resize((size_t)page.width * page.height * page.channels);
  in.read(reinterpret_cast<char*>(page.grey.data()), (std::streamsize)page.grey.size());
  return (size_t)in.gcount() == page.grey.size();
}

// A prefix for the files of one host command, unique to this process and moment.
std::string TempPrefix() {
  static int s_nCount = 0;
  char prefix[128];
  std::snprintf(prefix, sizeof(prefix), "/tmp/brivane-pdf-%lu-%lu-%d", (unsigned long)::GetCurrentProcessId(),
                (unsigned long)::GetTickCount(), ++s_nCount);
  return prefix;
}

// The files of the host's /tmp whose names start with prefix and end with ext, in order.
std::vector<std::string> TempFiles(const std::string& prefix, const char* ext) {
  std::vector<std::string> files;
  WIN32_FIND_DATAA found;
  const std::string folder = WindowsPathOf("/tmp");
  HANDLE hFind = ::FindFirstFileA((WindowsPathOf(prefix) + "-*" + ext).c_str(), &found);
  if (hFind != INVALID_HANDLE_VALUE) {
    do
      files.push_back(folder + "\\" + found.cFileName);
    while (::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

bool PdfExists(const std::string& title) {
  return !FindPdf(title).empty();
}

std::string WaitForPdf(const std::string& title, unsigned long timeoutMs) {
  DWORD start = ::GetTickCount();
  std::string path;
  while (path.empty() && ::GetTickCount() - start < timeoutMs) {
    path = FindPdf(title);
    if (path.empty())
      ::Sleep(200);
  }
  if (path.empty())
    return path;
  // The printer writes the file in place, from its start to the marker
  // that ends a PDF: wait for the marker.
  const DWORD whole = ::GetTickCount();
  while (!EndsWithEofMarker(path) && ::GetTickCount() - whole < 30000)
    ::Sleep(50);
  g_found.push_back(path);
  return path;
}

std::vector<PdfPage> RenderPdf(const std::string& windowsPath, int dpi, bool colour) {
  std::vector<PdfPage> pages;
  const std::string prefix = TempPrefix();
  std::string command = std::string("pdftoppm ") + (colour ? "" : "-gray ") + "-r " + std::to_string(dpi) + " " +
                        UnixPathOf(windowsPath) + " " + prefix;
  if (!RunHostCommand(command, prefix + ".done", 60000))
    return pages;
  for (const std::string& file : TempFiles(prefix, colour ? ".ppm" : ".pgm")) {
    PdfPage page;
    if (ReadPnm(file, page))
      pages.push_back(std::move(page));
    ::DeleteFileA(file.c_str());
  }
  ::DeleteFileA(WindowsPathOf(prefix + ".done").c_str());
  return pages;
}

std::vector<std::string> PdfPageTexts(const std::string& windowsPath) {
  std::vector<std::string> pages;
  const std::string prefix = TempPrefix();
  const std::string textFile = prefix + "-all.txt";
  if (!RunHostCommand("pdftotext -layout " + UnixPathOf(windowsPath) + " " + textFile, prefix + ".done", 60000))
    return pages;
  std::ifstream in(WindowsPathOf(textFile), std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  in.close();
  // A hyphen printed in a font whose hyphen glyph also stands for the soft
  // hyphen (Liberation Sans, Arial's stand-in) is read back as the soft
  // hyphen (UTF-8 C2 AD), which no page shows: it is the hyphen seen.
  std::string text = all.str(), page;
  for (size_t at = text.find("\xC2\xAD"); at != std::string::npos; at = text.find("\xC2\xAD", at))
    text.replace(at, 2, "-");
  // pdftotext ends every page with a form feed.
  for (char ch : text) {
    if (ch == '\f') {
      pages.push_back(page);
      page.clear();
    } else {
      page += ch;
    }
  }
  ::DeleteFileA(WindowsPathOf(textFile).c_str());
  ::DeleteFileA(WindowsPathOf(prefix + ".done").c_str());
  return pages;
}

void DeleteFoundPdfs() {
  for (const std::string& pdf : g_found)
    ::DeleteFileA(pdf.c_str());
  g_found.clear();
}

std::string UniquePrintTitle(const char* suffix) {
  // Short (the printer cuts long names) and of letters, digits and
  // underscores only (it keeps them in the PDF's name as they are).
  static int s_nCount = 0;
  char title[64];
  std::snprintf(title, sizeof(title), "Brv%lu_%lu_%d%sZ", (unsigned long)(::GetCurrentProcessId() % 100000),
                (unsigned long)(::GetTickCount() % 100000000), ++s_nCount, suffix);
  return title;
}

ScopedJobNames::ScopedJobNames(const char* suffix) {
  const std::string strSuffix = suffix;
  AfxSetPrintJobNameHook([this, strSuffix](LPCSTR lpszDocName) {
    named.push_back(lpszDocName != nullptr ? lpszDocName : "");
    spooled.push_back(UniquePrintTitle(strSuffix.c_str()));
    return CString(spooled.back().c_str());
  });
}

ScopedJobNames::~ScopedJobNames() {
  AfxSetPrintJobNameHook(nullptr);
}
