#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/base/Base.h"
#include "framework/base/String.h"

namespace {

std::string TempPath(const char* name) {
  return testing::TempDir() + "brivane_core_" + name;
}

// The bytes of a file as the disk holds them.
std::string FileBytes(const std::string& path) {
  std::string out;
  std::FILE* fp = std::fopen(path.c_str(), "rb");
  if (fp == nullptr)
    return out;
  char buf[256];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, fp)) > 0)
    out.append(buf, n);
  std::fclose(fp);
  return out;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::FILE* fp = std::fopen(path.c_str(), "wb");
  ASSERT_NE(fp, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), fp);
  std::fclose(fp);
}

}  // namespace

TEST(File, OpenFailuresGiveTheCauseAndTheName) {
  std::string path = TempPath("missing.bin");
  std::remove(path.c_str());
  CFile f;
  CFileException e;
  EXPECT_FALSE(f.Open(path.c_str(), CFile::modeRead, &e));
  EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
  EXPECT_EQ(e.m_strFileName, CString(path.c_str()));
  EXPECT_FALSE(f.IsOpen());
  // Writing without modeCreate does not make a file either.
  EXPECT_FALSE(f.Open(path.c_str(), CFile::modeWrite, &e));
  EXPECT_FALSE(f.Open("", CFile::modeRead, &e));
  EXPECT_EQ(e.m_cause, CFileException::badPath);
  // A folder is not a file.
  EXPECT_FALSE(f.Open(testing::TempDir().c_str(), CFile::modeRead, &e));

  bool thrown = false;
  try {
    CFile g(path.c_str(), CFile::modeRead);
  } catch (CFileException* ex) {
    thrown = true;
    EXPECT_EQ(ex->m_cause, CFileException::fileNotFound);
    char msg[256];
    EXPECT_TRUE(ex->GetErrorMessage(msg, sizeof msg));
    EXPECT_NE(std::strstr(msg, "brivane_core_missing.bin"), nullptr);
    ex->Delete();
  }
  EXPECT_TRUE(thrown);
}

TEST(File, ReadWriteSeekAndLength) {
  std::string path = TempPath("rw.bin");
  {
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite);
    f.Write("0123456789", 10);
    EXPECT_EQ(f.GetLength(), 10u);  // buffered data counts
    EXPECT_EQ(f.GetPosition(), 10u);
    EXPECT_EQ(f.Seek(-4, CFile::end), 6u);
    char buf[8] = {};
    // Reading stops at the end; the count says how much came.
    EXPECT_EQ(f.Read(buf, 8), 4u);
    EXPECT_EQ(std::string(buf, 4), "6789");
    EXPECT_EQ(f.Read(buf, 8), 0u);
    // Writing right after reading, with no seek in between.
    f.SeekToBegin();
    EXPECT_EQ(f.Read(buf, 2), 2u);
    f.Write("ab", 2);
    EXPECT_EQ(f.Read(buf, 1), 1u);
    EXPECT_EQ(buf[0], '4');
    f.SetLength(6);
    EXPECT_EQ(f.GetLength(), 6u);
    f.SetLength(8);  // extends with zeros
    EXPECT_EQ(f.SeekToEnd(), 8u);
    EXPECT_EQ(f.GetFilePath(), CString(path.c_str()));

    bool thrown = false;
    try {
      f.Seek(-1, CFile::begin);
    } catch (CFileException* e) {
      thrown = e->m_cause == CFileException::badSeek;
      e->Delete();
    }
    EXPECT_TRUE(thrown);
    f.Close();
    EXPECT_FALSE(f.IsOpen());
  }
  EXPECT_EQ(FileBytes(path), std::string("01ab45\0\0", 8));

  // modeNoTruncate keeps what is there; modeCreate alone empties it.
  {
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
    EXPECT_EQ(f.GetLength(), 8u);
    f.SeekToEnd();
    f.Write("!", 1);
  }
  EXPECT_EQ(FileBytes(path).size(), 9u);
  {
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(f.GetLength(), 0u);
  }
  EXPECT_EQ(FileBytes(path).size(), 0u);
  std::remove(path.c_str());
}

TEST(File, AccessModesAreEnforced) {
  std::string path = TempPath("ro.bin");
  WriteBytes(path, "data");
  CFile f(path.c_str(), CFile::modeRead | CFile::typeBinary);
  int cause = -1;
  try {
    f.Write("x", 1);
  } catch (CFileException* e) {
    cause = e->m_cause;
    e->Delete();
  }
  EXPECT_EQ(cause, CFileException::accessDenied);
  f.Close();
  EXPECT_EQ(FileBytes(path), "data");

  // A closed file refuses work instead of touching a stale stream.
  cause = -1;
  try {
    char c;
    f.Read(&c, 1);
  } catch (CFileException* e) {
    cause = e->m_cause;
    e->Delete();
  }
  EXPECT_EQ(cause, CFileException::invalidFile);
  f.Close();  // closing twice is harmless
  f.Abort();
  std::remove(path.c_str());
}

TEST(File, ShareModes) {
  std::string path = TempPath("shared.bin");
  CFile writer(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
  CFile reader;
  CFileException e;
  EXPECT_TRUE(reader.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone, &e));
  reader.Close();
  CFile other;
#ifdef _WIN32
  EXPECT_FALSE(other.Open(path.c_str(), CFile::modeWrite | CFile::shareDenyNone, &e));
  EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
#else
  // POSIX has no mandatory sharing: the share bits are accepted and ignored.
  EXPECT_TRUE(other.Open(path.c_str(), CFile::modeWrite | CFile::shareDenyNone, &e));
  other.Close();
#endif
  writer.Close();
  CFile::Remove(path.c_str());
}

TEST(File, NamesRemoveAndRename) {
  CFile f;
  std::string a = TempPath("a.txt");
  std::string b = TempPath("b.txt");
  std::remove(b.c_str());
  WriteBytes(a, "A");
  ASSERT_TRUE(f.Open(a.c_str(), CFile::modeRead));
  EXPECT_EQ(f.GetFileName(), CString("brivane_core_a.txt"));
  f.Close();

  CFile::Rename(a.c_str(), b.c_str());
  EXPECT_EQ(FileBytes(b), "A");
  WriteBytes(a, "second");
  // Renaming onto an existing file is refused and leaves both files alone.
  int cause = -1;
  try {
    CFile::Rename(a.c_str(), b.c_str());
  } catch (CFileException* e) {
    cause = e->m_cause;
    e->Delete();
  }
  EXPECT_EQ(cause, CFileException::accessDenied);
  EXPECT_EQ(FileBytes(b), "A");
  CFile::Remove(a.c_str());
  CFile::Remove(b.c_str());
  cause = -1;
  try {
    CFile::Remove(b.c_str());
  } catch (CFileException* e) {
    cause = e->m_cause;
    e->Delete();
  }
  EXPECT_EQ(cause, CFileException::fileNotFound);

  CFile g;
  CFileException e;
  g.Open("C:\\data\\exp1\\fid", CFile::modeRead, &e);  // fails, but keeps the name
  EXPECT_EQ(g.GetFileName(), CString("fid"));
}

TEST(StdioFile, TextModeWritesCrLfAndReadsLines) {
  std::string path = TempPath("text.txt");
  {
    CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    f.WriteString("first\nsecond line\n");
    f.WriteString("no end");
  }
  EXPECT_EQ(FileBytes(path), "first\r\nsecond line\r\nno end");

  CStdioFile f(path.c_str(), CFile::modeRead | CFile::typeText);
  CString line;
  EXPECT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, CString("first"));
  char buf[8];
  // The buffer form keeps the line end and cuts long lines to the buffer.
  EXPECT_NE(f.ReadString(buf, sizeof buf), nullptr);
  EXPECT_STREQ(buf, "second ");
  EXPECT_NE(f.ReadString(buf, sizeof buf), nullptr);
  EXPECT_STREQ(buf, "line\n");
  EXPECT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, CString("no end"));
  EXPECT_FALSE(f.ReadString(line));
  EXPECT_TRUE(line.IsEmpty());
  EXPECT_EQ(f.ReadString(buf, sizeof buf), nullptr);
  f.Close();

  // Lines ending in a bare LF read the same; a lone CR is kept.
  WriteBytes(path, "a\nb\rc\r\n\r\nd");
  CStdioFile g(path.c_str(), CFile::modeRead);
  EXPECT_TRUE(g.ReadString(line));
  EXPECT_EQ(line, CString("a"));
  EXPECT_TRUE(g.ReadString(line));
  EXPECT_EQ(line, CString("b\rc"));
  EXPECT_TRUE(g.ReadString(line));
  EXPECT_TRUE(line.IsEmpty());
  EXPECT_TRUE(g.ReadString(line));
  EXPECT_EQ(line, CString("d"));
  g.Close();

  // Raw reads fold CR LF in text mode, and nothing in binary mode.
  CStdioFile t(path.c_str(), CFile::modeRead);
  char raw[16] = {};
  EXPECT_EQ(t.Read(raw, sizeof raw), 8u);
  EXPECT_EQ(std::string(raw, 8), "a\nb\rc\n\nd");
  t.Close();
  CStdioFile bin(path.c_str(), CFile::modeRead | CFile::typeBinary);
  EXPECT_FALSE(bin.IsTextMode());
  EXPECT_EQ(bin.Read(raw, sizeof raw), 10u);
  bin.Close();
  std::remove(path.c_str());
}

TEST(MemFile, GrowsSeeksAndReadsBack) {
  CMemFile f(16);
  for (int i = 0; i < 10; ++i)
    f.Write("0123456789", 10);
  EXPECT_EQ(f.GetLength(), 100u);
  EXPECT_EQ(f.Seek(-5, CFile::end), 95u);
  char buf[10];
  EXPECT_EQ(f.Read(buf, 10), 5u);
  EXPECT_EQ(std::string(buf, 5), "56789");
  // Writing after a seek past the end fills the gap with zeros.
  f.Seek(110, CFile::begin);
  f.Write("x", 1);
  EXPECT_EQ(f.GetLength(), 111u);
  f.Seek(100, CFile::begin);
  EXPECT_EQ(f.Read(buf, 10), 10u);
  EXPECT_EQ(std::string(buf, 10), std::string(10, '\0'));
  f.SetLength(3);
  EXPECT_EQ(f.GetPosition(), 3u);
  EXPECT_EQ(f.Read(buf, 1), 0u);
  bool thrown = false;
  try {
    f.Seek(-4, CFile::current);
  } catch (CFileException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
}

TEST(MemFile, AttachedBuffers) {
  BYTE data[4] = {1, 2, 3, 4};
  CMemFile fixed(data, sizeof data);
  EXPECT_EQ(fixed.GetLength(), 4u);
  BYTE got[4] = {};
  EXPECT_EQ(fixed.Read(got, 8), 4u);
  EXPECT_EQ(got[3], 4);
  fixed.SeekToBegin();
  fixed.Write("\x09", 1);
  EXPECT_EQ(data[0], 9);  // writes land in the caller's buffer
  int cause = -1;
  try {
    fixed.SeekToEnd();
    fixed.Write("z", 1);
  } catch (CFileException* e) {
    cause = e->m_cause;
    e->Delete();
  }
  EXPECT_EQ(cause, CFileException::diskFull);
  EXPECT_EQ(fixed.Detach(), data);

  // A growable attached file moves to its own memory when it outgrows the
  // buffer, leaving the caller's buffer as it was.
  BYTE small[2] = {7, 7};
  CMemFile grow(small, sizeof small, 8);
  EXPECT_EQ(grow.GetLength(), 0u);
  grow.Write("ab", 2);
  grow.Write("cdef", 4);
  EXPECT_EQ(small[0], 'a');
  BYTE* p = grow.Detach();
  ASSERT_NE(p, small);
  EXPECT_EQ(std::memcmp(p, "abcdef", 6), 0);
  std::free(p);
  EXPECT_EQ(grow.GetLength(), 0u);
}

namespace {

CString g_reported;
UINT g_reportedType = 0;
int CaptureReport(LPCSTR text, UINT type) {
  g_reported = text;
  g_reportedType = type;
  return IDCANCEL;
}

}  // namespace

TEST(Exception, ReportGoesThroughTheHookAndDeleteIsSafe) {
  PFNREPORTERROR old = SetReportErrorHook(CaptureReport);
  CFileException* e = new CFileException(CFileException::diskFull, -1, "spectrum.bvx");
  EXPECT_EQ(e->ReportError(MB_ICONEXCLAMATION), IDCANCEL);
  EXPECT_EQ(g_reportedType, (UINT)MB_ICONEXCLAMATION);
  EXPECT_NE(g_reported.Find("spectrum.bvx"), -1);
  EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
  e->Delete();

  // Exceptions that were not made with new are never freed by Delete.
  CArchiveException onStack(CArchiveException::badSchema);
  onStack.Delete();
  EXPECT_EQ(onStack.m_cause, CArchiveException::badSchema);
  CException* mem = nullptr;
  try {
    AfxThrowMemoryException();
  } catch (CMemoryException* m) {
    mem = m;
    m->ReportError();
    m->Delete();
  }
  ASSERT_NE(mem, nullptr);
  EXPECT_TRUE(mem->IsKindOf(RUNTIME_CLASS(CMemoryException)));
  EXPECT_FALSE(g_reported.IsEmpty());

  // A message without cause reports the general text; the copy is cut to size.
  CException plain;
  char buf[4] = {'x', 'x', 'x', 'x'};
  EXPECT_FALSE(plain.GetErrorMessage(buf, sizeof buf));
  EXPECT_STREQ(buf, "");
  plain.ReportError();
  EXPECT_FALSE(g_reported.IsEmpty());
  CFileException eof(CFileException::endOfFile);
  EXPECT_TRUE(eof.GetErrorMessage(buf, sizeof buf));
  EXPECT_EQ(std::strlen(buf), 3u);

  EXPECT_EQ(SetReportErrorHook(old), CaptureReport);
}
