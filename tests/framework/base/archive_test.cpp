#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/base/Base.h"
#include "framework/base/String.h"

namespace {

// A stored record with a name, a value and a link to another record.
class CSample : public CObject {
  DECLARE_SERIAL(CSample)

 public:
  CSample() = default;
  CSample(int value, const char* name) : m_value(value), m_name(name) {}

  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << m_value << m_name << m_pLink;
    } else {
      ar >> m_value >> m_name >> m_pLink;
    }
  }

  int m_value = 0;
  CString m_name;
  CSample* m_pLink = nullptr;  // not owned
};
IMPLEMENT_SERIAL(CSample, CObject, 2)

class CDerivedSample : public CSample {
  DECLARE_SERIAL(CDerivedSample)

 public:
  void Serialize(CArchive& ar) override {
    CSample::Serialize(ar);
    if (ar.IsStoring())
      ar << m_extra;
    else
      ar >> m_extra;
  }
  double m_extra = 0;
};
IMPLEMENT_SERIAL(CDerivedSample, CSample, 1)

// A record that reads older versions of itself.
class CVersioned : public CObject {
  DECLARE_SERIAL(CVersioned)

 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << m_a << m_b;
      return;
    }
    m_loadedSchema = ar.GetObjectSchema();
    ar >> m_a;
    if (m_loadedSchema >= 2)
      ar >> m_b;
  }
  int m_a = 0;
  int m_b = -1;
  UINT m_loadedSchema = 0;
};
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 2)

std::vector<BYTE> Contents(CMemFile& file) {
  std::vector<BYTE> bytes((std::size_t)file.GetLength());
  file.SeekToBegin();
  if (!bytes.empty())
    file.Read(bytes.data(), (UINT)bytes.size());
  return bytes;
}

// Runs fn on an archive loading from a copy of bytes.
template <typename Fn>
void Load(const std::vector<BYTE>& bytes, Fn fn) {
  std::vector<BYTE> copy(bytes);
  CMemFile file(copy.empty() ? nullptr : copy.data(), (UINT)copy.size());
  CArchive ar(&file, CArchive::load);
  fn(ar);
}

template <typename Fn>
std::vector<BYTE> Store(Fn fn) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    fn(ar);
    ar.Close();
  }
  return Contents(file);
}

// The cause of the exception that fn throws: a file cause, or 100 + an archive cause.
template <typename Fn>
int CauseOf(Fn fn) {
  try {
    fn();
  } catch (CFileException* e) {
    int cause = e->m_cause;
    e->Delete();
    return cause;
  } catch (CArchiveException* e) {
    int cause = 100 + e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

}  // namespace

TEST(Archive, RoundTripsEveryBasicTypeLittleEndian) {
  CString longText(std::string(300, 'x').c_str());
  CString hugeText(std::string(70000, 'y').c_str());
  std::vector<BYTE> bytes = Store([&](CArchive& ar) {
    ar << (BYTE)0xAB << 'c' << (WORD)0x1234 << (short)-2 << -123456 << 4000000000u << 1.5f << -DBL_MAX;
    ar << (LONG)-7 << (DWORD)0xDEADBEEF << (UINT)5;
    ar << CString("") << CString(" TMS") << longText << hugeText;
    ar.WriteCount(15);
    ar.WriteCount(0x10000);
  });
  // Spot checks of the layout: WORD 0x1234 at 2, int -123456 at 6.
  EXPECT_EQ(bytes[2], 0x34);
  EXPECT_EQ(bytes[3], 0x12);
  EXPECT_EQ(ReadI32LE(&bytes[6]), -123456);

  Load(bytes, [&](CArchive& ar) {
    BYTE by;
    char ch;
    WORD w;
    short s;
    int i;
    unsigned u;
    float f;
    double d;
    LONG l;
    DWORD dw;
    UINT n;
    ar >> by >> ch >> w >> s >> i >> u >> f >> d >> l >> dw >> n;
    EXPECT_EQ(by, 0xAB);
    EXPECT_EQ(ch, 'c');
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(s, -2);
    EXPECT_EQ(i, -123456);
    EXPECT_EQ(u, 4000000000u);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(d, -DBL_MAX);
    EXPECT_EQ(l, -7);
    EXPECT_EQ(dw, 0xDEADBEEFu);
    EXPECT_EQ(n, 5u);
    CString a, b, c, e;
    ar >> a >> b >> c >> e;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(b, CString(" TMS"));
    EXPECT_EQ(c, longText);
    EXPECT_EQ(e, hugeText);
    EXPECT_EQ(ar.ReadCount(), 15u);
    EXPECT_EQ(ar.ReadCount(), 0x10000u);
  });
}

TEST(Archive, StringAndCountLayouts) {
  std::vector<BYTE> bytes = Store([](CArchive& ar) {
    ar.WriteCount(15);
    ar << CString(" TMS") << CString("0");
  });
  const BYTE expected[] = {0x0F, 0x00, 0x04, ' ', 'T', 'M', 'S', 0x01, '0'};
  ASSERT_EQ(bytes.size(), sizeof expected);
  EXPECT_EQ(std::memcmp(bytes.data(), expected, sizeof expected), 0);

  // Lengths at the edges of each form.
  for (int len : {254, 255, 0xFFFD, 0xFFFE}) {
    CString text(std::string((std::size_t)len, 'q').c_str());
    std::vector<BYTE> b = Store([&](CArchive& ar) { ar << text; });
    std::size_t prefix = len < 255 ? 1 : len < 0xFFFE ? 3 : 7;
    EXPECT_EQ(b.size(), prefix + (std::size_t)len) << len;
    if (len == 0xFFFE) {
      EXPECT_EQ(b[0], 0xFF);
      EXPECT_EQ(ReadU16LE(&b[1]), 0xFFFF);
      EXPECT_EQ(ReadU32LE(&b[3]), 0xFFFEu);
    }
    Load(b, [&](CArchive& ar) {
      CString back;
      ar >> back;
      EXPECT_EQ(back.GetLength(), len);
    });
  }
}

TEST(Archive, ObjectsKeepClassSchemaAndIdentity) {
  CSample first(1, "first");
  CDerivedSample second;
  second.m_value = 2;
  second.m_extra = 0.25;
  first.m_pLink = &second;
  second.m_pLink = &first;  // a cycle back to an object being stored

  std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar << &first << &second << (CObject*)nullptr << &second; });
  Load(bytes, [&](CArchive& ar) {
    CSample* a = nullptr;
    CDerivedSample* b = nullptr;
    CSample* none = &first;
    CObject* again = nullptr;
    ar >> a >> b >> none >> again;
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->m_value, 1);
    EXPECT_EQ(a->m_name, CString("first"));
    EXPECT_EQ(a->m_pLink, b);
    EXPECT_EQ(b->m_pLink, a);
    EXPECT_EQ(b->m_extra, 0.25);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(again, b);  // two references, one object
    delete a;
    delete b;
  });

  // The class is looked up by its stored name.
  EXPECT_EQ(CRuntimeClass::FromName("CDerivedSample"), RUNTIME_CLASS(CDerivedSample));
  EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
  EXPECT_TRUE(first.IsSerializable());
}

TEST(Archive, SchemasAreCheckedOrVersioned) {
  // An object of schema 1 stored by hand: new-class tag, schema, name, data.
  auto storedAs = [](WORD schema, const char* name, int payload) {
    std::vector<BYTE> b(8 + std::strlen(name) + 4);
    WriteU32LE(&b[0], 0xFFFFFFFF);
    WriteU16LE(&b[4], schema);
    WriteU16LE(&b[6], (WORD)std::strlen(name));
    std::memcpy(&b[8], name, std::strlen(name));
    WriteI32LE(&b[8 + std::strlen(name)], payload);
    return b;
  };
  Load(storedAs(1, "CVersioned", 42), [](CArchive& ar) {
    CVersioned* v = nullptr;
    ar >> v;
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->m_loadedSchema, 1u);
    EXPECT_EQ(v->m_a, 42);
    EXPECT_EQ(v->m_b, -1);
    delete v;
  });
  EXPECT_EQ(CauseOf([&] { Load(storedAs(1, "CSample", 42), [](CArchive& ar) { ar.ReadObject(nullptr); }); }),
            100 + CArchiveException::badSchema);
  EXPECT_EQ(CauseOf([&] { Load(storedAs(2, "CUnknown", 42), [](CArchive& ar) { ar.ReadObject(nullptr); }); }),
            100 + CArchiveException::badClass);
  // A stored object of another class than the one asked for.
  CSample plain(5, "p");
  std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar << &plain; });
  EXPECT_EQ(CauseOf([&] { Load(bytes, [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(CDerivedSample)); }); }),
            100 + CArchiveException::badClass);
  // A reference to an object that was never stored.
  std::vector<BYTE> dangling(4);
  WriteU32LE(dangling.data(), 3);
  EXPECT_EQ(CauseOf([&] { Load(dangling, [](CArchive& ar) { ar.ReadObject(nullptr); }); }),
            100 + CArchiveException::badIndex);
  // SerializeClass round-trips a class marker and its schema.
  std::vector<BYTE> marker = Store([](CArchive& ar) { ar.SerializeClass(RUNTIME_CLASS(CVersioned)); });
  Load(marker, [](CArchive& ar) {
    ar.SerializeClass(RUNTIME_CLASS(CVersioned));
    EXPECT_EQ(ar.GetObjectSchema(), 2u);
    EXPECT_EQ(ar.GetObjectSchema(), (UINT)-1);
  });
}

TEST(Archive, TruncatedArchivesThrowEndOfFile) {
  CSample a(7, "a name long enough to be cut");
  CSample b(8, "b");
  a.m_pLink = &b;
  std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar << 3.0 << CString("text") << &a << &b; });
  // Every cut ends in an exception, never a crash, leak or garbage object.
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    std::vector<BYTE> part(bytes.begin(), bytes.begin() + (long)cut);
    int cause = CauseOf([&] {
      Load(part, [](CArchive& ar) {
        double d;
        CString s;
        CSample* x = nullptr;
        CSample* y = nullptr;
        ar >> d >> s >> x;
        // Objects read in full belong to the caller, whatever comes next.
        std::unique_ptr<CSample> owner(x);
        std::unique_ptr<CSample> linked(x->m_pLink);
        ar >> y;
        EXPECT_EQ(y, x->m_pLink);
      });
    });
    EXPECT_EQ(cause, CFileException::endOfFile) << cut;
  }
  // A huge string length with little behind it fails at the end of the data.
  std::vector<BYTE> lie = {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'a', 'b'};
  EXPECT_EQ(CauseOf([&] {
              Load(lie, [](CArchive& ar) {
                CString s;
                ar >> s;
              });
            }),
            CFileException::endOfFile);
  // Raw reads come up short without throwing.
  Load({1, 2, 3}, [](CArchive& ar) {
    BYTE buf[8];
    EXPECT_EQ(ar.Read(buf, 8), 3u);
  });
}

TEST(Archive, ModesTextAndFilePosition) {
  std::vector<BYTE> bytes = Store([](CArchive& ar) {
    ar.WriteString("line one\r\nline two\n");
    ar.WriteString("last");
  });
  EXPECT_EQ(bytes.size(), 23u);  // written exactly as given
  Load(bytes, [](CArchive& ar) {
    CString line;
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_EQ(line, CString("line one"));
    char buf[32];
    EXPECT_STREQ(ar.ReadString(buf, sizeof buf), "line two\n");
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_EQ(line, CString("last"));
    EXPECT_FALSE(ar.ReadString(line));
    EXPECT_EQ(CauseOf([&] { ar << 1; }), 100 + CArchiveException::readOnly);
  });

  // A loading archive hands its file back at its own position on Flush.
  CMemFile file;
  file.Write("\x01\x00\x00\x00\x02\x00\x00\x00", 8);
  file.SeekToBegin();
  {
    CArchive ar(&file, CArchive::load);
    int n = 0;
    ar >> n;
    EXPECT_EQ(n, 1);
    ar.Flush();
    EXPECT_EQ(ar.GetFile()->GetPosition(), 4u);
  }

  // A storing archive left open writes out when it goes away.
  CMemFile out;
  {
    CArchive ar(&out, CArchive::store, 16);
    ar << 1.0 << 2.0 << 3.0;
    EXPECT_TRUE(ar.IsStoring());
    int n = 0;
    EXPECT_EQ(CauseOf([&] { ar >> n; }), 100 + CArchiveException::writeOnly);
  }
  EXPECT_EQ(out.GetLength(), 24u);
}

TEST(Archive, OnDiskFile) {
  std::string path = testing::TempDir() + "brivane_core_archive.bin";
  {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store, 4096);
    for (int i = 0; i < 5000; ++i)
      ar << i;
    ar.Close();
    file.Close();
  }
  CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
  EXPECT_EQ(file.GetLength(), 20000u);
  CArchive ar(&file, CArchive::load, 4096);
  int sum = 0;
  for (int i = 0; i < 5000; ++i) {
    int n;
    ar >> n;
    sum += n == i ? 1 : 0;
  }
  EXPECT_EQ(sum, 5000);
  int extra;
  EXPECT_EQ(CauseOf([&] { ar >> extra; }), CFileException::endOfFile);
  ar.Close();
  file.Close();
  CFile::Remove(path.c_str());
}
