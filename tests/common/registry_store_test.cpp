// The registry store over the real registry of the test's Wine prefix: typed
// values, what it refuses, and reads that never run past their buffer.
#include <gtest/gtest.h>

#include <string>

#include "framework/win/GdiObject.h"
#include "common/RegistryStore.h"

namespace {

const char kTestKey[] = "Software\\BrivaneTest\\Store";

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\BrivaneTest\\Store\\Child");
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(m_store.SetKey(kTestKey, TRUE));
  }
  void TearDown() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\BrivaneTest\\Store\\Child");
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
  }
  // Stores raw bytes of any type, as another program might have.
  static void PutRaw(LPCSTR pszName, DWORD dwType, const void* pData, DWORD nSize) {
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_WRITE, &hKey));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(hKey, pszName, 0, dwType, (const BYTE*)pData, nSize));
    RegCloseKey(hKey);
  }

  CRegistryStore m_store;
};

TEST_F(RegistryStoreTest, NumbersAreRawBinaryAndReadBack) {
  EXPECT_TRUE(m_store.WriteDouble("ph0", 2.864788975654116));
  EXPECT_TRUE(m_store.WriteInt("type", 4));
  EXPECT_EQ(REG_BINARY, m_store.GetValueType("ph0"));
  EXPECT_EQ(8, m_store.GetValueSize("ph0"));
  EXPECT_EQ(4, m_store.GetValueSize("type"));
  EXPECT_DOUBLE_EQ(2.864788975654116, m_store.ReadDouble("ph0", -1.0));
  EXPECT_EQ(4, m_store.ReadInt("type", -1));
  EXPECT_EQ(2, m_store.GetValueCount());

  RegistryWords3 words = {{1, 2, 3}};
  EXPECT_TRUE(m_store.WriteWords3("w", words));
  RegistryWords3 none = {{9, 9, 9}};
  RegistryWords3 back = m_store.ReadWords3("w", none);
  EXPECT_EQ(3u, back.dwWords[2]);

  BYTE sixteen[16];
  for (int i = 0; i < 16; ++i)
    sixteen[i] = (BYTE)(i * 3);
  EXPECT_TRUE(m_store.WriteBinary16("raw", sixteen));
  BYTE read16[16] = {};
  EXPECT_TRUE(m_store.ReadBinary16("raw", read16));
  EXPECT_EQ(0, memcmp(sixteen, read16, 16));
  BYTE read8[8] = {};
  EXPECT_FALSE(m_store.ReadBinary8("raw", read8)) << "16 bytes do not fit 8";
  EXPECT_TRUE(m_store.ReadBinary8("ph0", read8));
}

TEST_F(RegistryStoreTest, MissingOrLongerValuesGiveTheDefault) {
  EXPECT_EQ(7, m_store.ReadInt("absent", 7));
  EXPECT_DOUBLE_EQ(1.5, m_store.ReadDouble("absent", 1.5));
  m_store.WriteDouble("d", 3.0);
  EXPECT_EQ(-3, m_store.ReadInt("d", -3)) << "8 bytes read as 4";
  EXPECT_EQ(0u, m_store.GetValueType("absent"));
  EXPECT_EQ(-1, m_store.GetValueSize("absent"));
  EXPECT_FALSE(m_store.ValueExists("absent"));
  EXPECT_TRUE(m_store.ValueExists("d"));

  CRegistryStore other;
  EXPECT_FALSE(other.SetKey("Software\\BrivaneTest\\Nowhere", FALSE));
  EXPECT_NE(ERROR_SUCCESS, other.GetLastResult());
  EXPECT_TRUE(other.GetCurrentPath().IsEmpty()) << "a failed SetKey keeps the old path";
  EXPECT_DOUBLE_EQ(0.25, other.ReadDouble("ph0", 0.25));
}

TEST_F(RegistryStoreTest, StringsUpTo254CharactersAndOnlyTextTypes) {
  std::string longest(254, 'a');
  EXPECT_TRUE(m_store.WriteString("s", longest.c_str()));
  EXPECT_EQ(longest, std::string(m_store.ReadString("s", "x")));
  std::string tooLong(255, 'b');
  EXPECT_FALSE(m_store.WriteString("t", tooLong.c_str()));
  EXPECT_FALSE(m_store.ValueExists("t"));

  m_store.WriteInt("n", 5);
  EXPECT_EQ(std::string("dflt"), std::string(m_store.ReadString("n", "dflt")));
}

TEST_F(RegistryStoreTest, StringWithoutTerminatorIsCutAtItsStoredLength) {
  // A long text with no terminating zero ends where its bytes end.
  std::string full(200, 'z');
  PutRaw("open", REG_SZ, full.data(), (DWORD)full.size());
  EXPECT_EQ(full, std::string(m_store.ReadString("open", "dflt")));
  // Four bytes without a zero, in a buffer that was not cleared before.
  PutRaw("short", REG_SZ, "abcd", 4);
  EXPECT_EQ(std::string("abcd"), std::string(m_store.ReadString("short", "")));
  // Longer than any string value the store reads.
  std::string huge(600, 'q');
  PutRaw("huge", REG_SZ, huge.c_str(), (DWORD)huge.size() + 1);
  EXPECT_EQ(std::string("dflt"), std::string(m_store.ReadString("huge", "dflt")));
}

TEST_F(RegistryStoreTest, FontsTravelAsTheirLogFont) {
  CFont font;
  ASSERT_TRUE(font.CreateFont(-17, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
  EXPECT_TRUE(m_store.WriteFont("font", &font));
  EXPECT_EQ(60, m_store.GetValueSize("font"));
  CFont back;
  ASSERT_TRUE(m_store.ReadFont("font", &back));
  LOGFONT lf = {};
  back.GetLogFont(&lf);
  EXPECT_EQ(-17, lf.lfHeight);
  EXPECT_EQ(FW_BOLD, lf.lfWeight);
  EXPECT_STREQ("Arial", lf.lfFaceName);
  CFont untouched;
  EXPECT_FALSE(m_store.ReadFont("absent", &untouched));
  EXPECT_EQ(nullptr, untouched.GetSafeHandle());
}

TEST_F(RegistryStoreTest, KeysRootsAndDeletion) {
  EXPECT_FALSE(m_store.SetRoot((HKEY)0x1234));
  EXPECT_EQ(HKEY_CURRENT_USER, m_store.GetRoot());
  EXPECT_TRUE(m_store.SetRoot(HKEY_LOCAL_MACHINE));
  m_store.Reset();
  EXPECT_EQ(HKEY_CURRENT_USER, m_store.GetRoot());
  EXPECT_TRUE(m_store.GetCurrentPath().IsEmpty());

  EXPECT_TRUE(m_store.DeleteKey("Software\\BrivaneTest\\NeverThere"));
  EXPECT_TRUE(m_store.CreateKey("Software\\BrivaneTest\\Store\\Child"));
  EXPECT_TRUE(m_store.KeyExists("Software\\BrivaneTest\\Store\\Child"));
  ASSERT_TRUE(m_store.SetKey(kTestKey, FALSE));
  EXPECT_EQ(1, m_store.GetSubKeyCount());
  EXPECT_FALSE(m_store.DeleteKey(kTestKey)) << "a key with sub-keys stays";
  EXPECT_TRUE(m_store.DeleteKey("Software\\BrivaneTest\\Store\\Child"));
  EXPECT_FALSE(m_store.KeyExists("Software\\BrivaneTest\\Store\\Child"));

  m_store.WriteInt("gone", 1);
  EXPECT_TRUE(m_store.DeleteValue("gone"));
  EXPECT_FALSE(m_store.DeleteValue("gone"));

  // Without lazy writing every write flushes; the values are the same.
  m_store.SetLazyWrite(FALSE);
  EXPECT_TRUE(m_store.WriteInt("flushed", 11));
  EXPECT_EQ(11, m_store.ReadInt("flushed", 0));
}

TEST_F(RegistryStoreTest, EmptyPathWorksOnTheRootItself) {
  CRegistryStore store;
  ASSERT_TRUE(store.SetRoot(HKEY_CURRENT_USER));
  EXPECT_TRUE(store.SetKey("", FALSE));
  EXPECT_TRUE(store.GetCurrentPath().IsEmpty());
  EXPECT_TRUE(store.WriteInt("BrivaneRootProbe", 42));
  HKEY hKey = HKEY_CURRENT_USER;
  DWORD dwSize = 4, dwType = 0;
  int value = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(hKey, "BrivaneRootProbe", nullptr, &dwType, (LPBYTE)&value, &dwSize));
  EXPECT_EQ(42, value);
  EXPECT_TRUE(store.DeleteValue("BrivaneRootProbe"));
}

}  // namespace
