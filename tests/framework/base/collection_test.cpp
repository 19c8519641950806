#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <list>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "framework/base/Archive.h"
#include "framework/base/Arrays.h"
#include "framework/base/Lists.h"
#include "framework/base/Maps.h"
#include "framework/base/MemFile.h"

namespace {

// The same draws on every platform (std:: distributions are not portable).
class Draw {
 public:
  explicit Draw(unsigned seed) : m_engine(seed) {}
  int Below(int n) { return (int)(m_engine() % (unsigned)n); }

 private:
  std::mt19937 m_engine;
};

std::vector<int> ForwardOf(const CList<int, int>& list) {
  std::vector<int> out;
  for (POSITION pos = list.GetHeadPosition(); pos;)
    out.push_back(list.GetNext(pos));
  return out;
}

std::vector<int> BackwardOf(const CList<int, int>& list) {
  std::vector<int> out;
  for (POSITION pos = list.GetTailPosition(); pos;)
    out.push_back(list.GetPrev(pos));
  return out;
}

TEST(ListTest, RandomEditsAgreeWithStdList) {
  Draw draw(7);
  CList<int, int> list;
  std::list<int> ref;
  for (int step = 0; step < 4000; ++step) {
    int value = draw.Below(50);
    int where = ref.empty() ? 0 : draw.Below((int)ref.size());
    switch (draw.Below(9)) {
      case 0:
        list.AddHead(value);
        ref.push_front(value);
        break;
      case 1:
        list.AddTail(value);
        ref.push_back(value);
        break;
      case 2:
        list.InsertBefore(list.FindIndex(where), value);
        ref.insert(std::next(ref.begin(), where), value);
        break;
      case 3:
        // A null position (empty list) inserts at the tail.
        list.InsertAfter(list.FindIndex(where), value);
        ref.insert(ref.empty() ? ref.end() : std::next(ref.begin(), where + 1), value);
        break;
      case 4:
        if (!ref.empty()) {
          list.RemoveAt(list.FindIndex(where));
          ref.erase(std::next(ref.begin(), where));
        }
        break;
      case 5:
        if (!ref.empty()) {
          ASSERT_EQ(list.RemoveHead(), ref.front());
          ref.pop_front();
        }
        break;
      case 6:
        if (!ref.empty()) {
          ASSERT_EQ(list.RemoveTail(), ref.back());
          ref.pop_back();
        }
        break;
      case 7:
        if (!ref.empty()) {
          list.SetAt(list.FindIndex(where), value);
          *std::next(ref.begin(), where) = value;
        }
        break;
      case 8: {
        POSITION found = list.Find(value);
        auto it = std::find(ref.begin(), ref.end(), value);
        if (it == ref.end()) {
          ASSERT_EQ(found, nullptr);
        } else {
          ASSERT_EQ(found, list.FindIndex((int)std::distance(ref.begin(), it)));
        }
        break;
      }
    }
    ASSERT_EQ(list.GetCount(), (int)ref.size());
    if (step % 97 == 0) {
      ASSERT_EQ(ForwardOf(list), std::vector<int>(ref.begin(), ref.end()));
    }
  }
  ASSERT_EQ(ForwardOf(list), std::vector<int>(ref.begin(), ref.end()));
  ASSERT_EQ(BackwardOf(list), std::vector<int>(ref.rbegin(), ref.rend()));
  if (!ref.empty()) {
    EXPECT_EQ(list.GetHead(), ref.front());
    EXPECT_EQ(list.GetTail(), ref.back());
  }
}

TEST(ListTest, PositionsAndEnds) {
  CStringList list;
  EXPECT_EQ(list.GetHeadPosition(), nullptr);
  EXPECT_EQ(list.Find("x"), nullptr);

  // A null position inserts at the ends.
  list.InsertAfter(nullptr, "b");
  list.InsertBefore(nullptr, "a");
  POSITION c = list.AddTail("c");
  list.AddTail("a");
  EXPECT_EQ(list.GetHead(), "a");
  EXPECT_EQ(list.FindIndex(-1), nullptr);
  EXPECT_EQ(list.FindIndex(4), nullptr);
  EXPECT_EQ(list.GetAt(list.FindIndex(2)), "c");

  // Find continues after a given position, by value not by identity.
  POSITION first = list.Find(CString("a"));
  ASSERT_NE(first, nullptr);
  POSITION second = list.Find("a", first);
  EXPECT_EQ(second, list.FindIndex(3));
  EXPECT_EQ(list.Find("a", second), nullptr);

  // GetNext hands back the element, then moves on; removing the element just
  // visited leaves the walk intact.
  std::vector<std::string> kept;
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    POSITION at = pos;
    CString s = list.GetNext(pos);
    if (s == "a")
      list.RemoveAt(at);
    else
      kept.push_back((LPCSTR)s);
  }
  EXPECT_EQ(kept, (std::vector<std::string>{"b", "c"}));
  EXPECT_EQ(list.GetCount(), 2);
  list.GetAt(c) += "!";
  EXPECT_EQ(list.GetTail(), "c!");
  list.AddTail(list.GetHead());  // an element of the list as the argument
  EXPECT_EQ(list.GetTail(), "b");
  list.RemoveAll();
  list.AddHead("again");
  EXPECT_EQ(list.GetTail(), "again");
}

TEST(ListTest, ObjectListIsACObject) {
  CObList list(10);
  EXPECT_TRUE(list.IsKindOf(RUNTIME_CLASS(CObList)));
  EXPECT_STREQ(list.GetRuntimeClass()->m_lpszClassName, "CObList");
  list.AddTail(&list);
  EXPECT_EQ(list.Find(&list), list.GetHeadPosition());
}

std::vector<int> ContentsOf(const CUIntArray& a) {
  std::vector<int> out;
  for (int i = 0; i < a.GetSize(); ++i)
    out.push_back((int)a[i]);
  return out;
}

TEST(ArrayTest, RandomEditsAgreeWithStdVector) {
  Draw draw(11);
  CUIntArray array;
  std::vector<int> ref;
  for (int step = 0; step < 4000; ++step) {
    int value = draw.Below(1000);
    int index = draw.Below((int)ref.size() + 3) - 1;  // sometimes outside
    int count = draw.Below(5) - 1;
    switch (draw.Below(7)) {
      case 0:
        ASSERT_EQ(array.Add(value), (int)ref.size());
        ref.push_back(value);
        break;
      case 1:
        array.InsertAt(index, value, count);
        if (count > 0) {
          int at = index < 0 ? 0 : index;
          if (at > (int)ref.size())
            ref.resize((size_t)at, 0);
          ref.insert(ref.begin() + at, (size_t)count, value);
        }
        break;
      case 2:
        array.RemoveAt(index, count);
        if (index >= 0 && index < (int)ref.size() && count > 0) {
          int n = std::min(count, (int)ref.size() - index);
          ref.erase(ref.begin() + index, ref.begin() + index + n);
        }
        break;
      case 3:
        array.SetAtGrow(index, value);
        if (index >= 0) {
          if (index >= (int)ref.size())
            ref.resize((size_t)index + 1, 0);
          ref[(size_t)index] = value;
        }
        break;
      case 4:
        if (index >= 0 && index < (int)ref.size()) {
          array.SetAt(index, value);
          ref[(size_t)index] = value;
        }
        break;
      case 5: {
        int size = draw.Below((int)ref.size() + 8);
        array.SetSize(size, draw.Below(3));
        ref.resize((size_t)size, 0);
        break;
      }
      case 6:
        if (step % 50 == 0) {
          array.RemoveAll();
          ref.clear();
        }
        break;
    }
    ASSERT_EQ(array.GetSize(), (int)ref.size());
    ASSERT_EQ(array.GetUpperBound(), (int)ref.size() - 1);
    if (step % 53 == 0) {
      ASSERT_EQ(ContentsOf(array), ref);
    }
  }
  ASSERT_EQ(ContentsOf(array), ref);
}

TEST(ArrayTest, BulkOperationsAndSelfReference) {
  CStringArray a;
  EXPECT_EQ(a.GetData(), nullptr);
  EXPECT_EQ(a.GetUpperBound(), -1);
  a.Add("x");
  a.Add("y");
  for (int i = 0; i < 100; ++i)
    a.Add(a[0]);  // an element of the array while it grows
  EXPECT_EQ(a.GetSize(), 102);
  EXPECT_EQ(a[101], "x");
  a.SetSize(2);
  EXPECT_EQ(a.Append(a), 2);  // appending itself
  EXPECT_EQ(a.GetSize(), 4);
  EXPECT_EQ(a[3], "y");
  a.InsertAt(1, &a);  // inserting itself
  EXPECT_EQ(a.GetSize(), 8);
  const char* expected[] = {"x", "x", "y", "x", "y", "y", "x", "y"};
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(a[i], expected[i]) << i;
  a.InsertAt(10, &a);  // past the end: grows with empty strings first
  EXPECT_EQ(a.GetSize(), 18);
  EXPECT_TRUE(a[9].IsEmpty());
  a.InsertAt(0, (const CStringArray*)nullptr);
  EXPECT_EQ(a.GetSize(), 18);

  CStringArray b;
  b.Copy(a);
  EXPECT_EQ(b.GetSize(), 18);
  b.Copy(b);
  EXPECT_EQ(b.GetSize(), 18);
  b.ElementAt(0) = "changed";
  EXPECT_EQ(a[0], "x");
  b.SetSize(-3);
  EXPECT_TRUE(b.IsEmpty());

  CByteArray bytes;
  bytes.SetSize(4, 16);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(bytes[i], 0);  // new elements are zero
  bytes.GetData()[2] = 0xAB;
  EXPECT_EQ(bytes.GetAt(2), 0xAB);
  bytes.FreeExtra();
  EXPECT_EQ(bytes.GetCount(), 4);

  CObArray objects;
  objects.SetSize(3);
  EXPECT_EQ(objects[2], nullptr);
}

TEST(ArrayTest, ImpossibleSizesThrowTheMemoryException) {
  CUIntArray a;
  a.Add(1);
  // Beyond an int's count: refused before any allocation, array unchanged.
  try {
    a.InsertAt(0, 7u, 0x7FFFFFFF);
    ADD_FAILURE() << "no exception";
  } catch (CMemoryException* e) {
    e->Delete();
  }
  EXPECT_EQ(ContentsOf(a), std::vector<int>{1});
  if (sizeof(void*) == 4) {  // more than a 32-bit process can hold
    try {
      a.SetSize(0x7FFFFFFF);
      ADD_FAILURE() << "no exception";
    } catch (CMemoryException* e) {
      e->Delete();
    }
    CString s("kept");
    try {
      s.GetBuffer(0x7FFFFFFF);
      ADD_FAILURE() << "no exception";
    } catch (CMemoryException* e) {
      e->Delete();
    }
    EXPECT_EQ(s, "kept");
  }
}

TEST(MapTest, RandomOperationsAgreeWithStdMap) {
  Draw draw(3);
  CMapStringToString map;
  std::map<std::string, std::string> ref;
  std::vector<std::string> order;  // first-insertion order of the live keys
  for (int step = 0; step < 20000; ++step) {
    std::string key = "k" + std::to_string(draw.Below(600));
    std::string value = "v" + std::to_string(draw.Below(100000));
    switch (draw.Below(6)) {
      case 0:
      case 1:
        if (!ref.count(key))
          order.push_back(key);
        map.SetAt(key.c_str(), value.c_str());
        ref[key] = value;
        break;
      case 2:
        if (!ref.count(key))
          order.push_back(key);
        map[key.c_str()] += "+";
        ref[key] += "+";
        break;
      case 3: {
        BOOL removed = map.RemoveKey(key.c_str());
        ASSERT_EQ(removed != FALSE, ref.erase(key) == 1);
        if (removed)
          order.erase(std::find(order.begin(), order.end(), key));
        break;
      }
      default: {
        CString found("untouched");
        BOOL ok = map.Lookup(key.c_str(), found);
        auto it = ref.find(key);
        ASSERT_EQ(ok != FALSE, it != ref.end());
        if (ok) {
          ASSERT_EQ(std::string(found), it->second);
        } else {
          ASSERT_EQ(found, "untouched");  // a failed lookup leaves the value alone
        }
        break;
      }
    }
    ASSERT_EQ(map.GetCount(), (int)ref.size());
    if (step == 12000)
      map.InitHashTable(5);  // rehashing keeps every entry
    if (step % 1000 == 0 || step == 19999) {
      std::vector<std::string> keys;
      for (POSITION pos = map.GetStartPosition(); pos;) {
        CString k, v;
        map.GetNextAssoc(pos, k, v);
        keys.push_back((LPCSTR)k);
        ASSERT_EQ(ref.at((LPCSTR)k), std::string(v));
      }
      ASSERT_EQ(keys, order);
    }
  }
}

TEST(MapTest, KeysValuesAndRemovalDuringIteration) {
  CMapStringToString map(10);
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(map.GetStartPosition(), nullptr);
  CString v;
  EXPECT_FALSE(map.Lookup("sw", v));
  EXPECT_FALSE(map.RemoveKey("sw"));

  map.SetAt("sw", "Spectral width");
  map.SetAt("SW", "other");  // keys are case-sensitive
  map.SetAt("", "empty key");
  EXPECT_EQ(map.GetCount(), 3);
  EXPECT_TRUE(map.Lookup(nullptr, v));  // a null key is the empty key
  EXPECT_EQ(v, "empty key");
  map.SetAt("sw", map["SW"]);  // a value of the map as the new value
  EXPECT_TRUE(map.Lookup("sw", v));
  EXPECT_EQ(v, "other");
  EXPECT_TRUE(map["new"].IsEmpty());  // operator[] adds a missing key
  EXPECT_EQ(map.GetCount(), 4);

  // Removing each entry right after it was returned.
  int visited = 0;
  for (POSITION pos = map.GetStartPosition(); pos;) {
    CString key, value;
    map.GetNextAssoc(pos, key, value);
    EXPECT_TRUE(map.RemoveKey(key));
    ++visited;
  }
  EXPECT_EQ(visited, 4);
  EXPECT_TRUE(map.IsEmpty());
  map.SetAt("td", "Transform domain");
  map.RemoveAll();
  EXPECT_EQ(map.GetStartPosition(), nullptr);
  map.InitHashTable(0);
  map.SetAt("a", "1");
  EXPECT_TRUE(map.Lookup("a", v));
}

TEST(MapTest, StringToPointer) {
  CMapStringToPtr map(10);
  int a = 1, b = 2;
  map.SetAt("a", &a);
  map["b"] = &b;
  void* p = nullptr;
  ASSERT_TRUE(map.Lookup("b", p));
  EXPECT_EQ(p, &b);
  EXPECT_EQ(map["missing"], nullptr);
  EXPECT_EQ(map.GetCount(), 3);
  EXPECT_TRUE(map.RemoveKey("a"));
  EXPECT_FALSE(map.Lookup("a", p));
  EXPECT_EQ(p, &b);
  POSITION pos = map.GetStartPosition();
  CString key;
  map.GetNextAssoc(pos, key, p);
  EXPECT_EQ(key, "b");
  EXPECT_TRUE(map.IsKindOf(RUNTIME_CLASS(CMapStringToPtr)));
}

}  // namespace

namespace {

std::string Store(CMapStringToString& map) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    map.Serialize(ar);
    ar.Close();
  }
  std::string bytes((size_t)file.GetLength(), '\0');
  file.SeekToBegin();
  file.Read(&bytes[0], (UINT)bytes.size());
  return bytes;
}

void Load(const std::string& bytes, CMapStringToString& map) {
  std::string copy(bytes);
  CMemFile file((BYTE*)&copy[0], (UINT)copy.size());
  CArchive ar(&file, CArchive::load);
  map.Serialize(ar);
}

TEST(MapArchiveTest, StoredBytesRoundTripAndDamage) {
  CMapStringToString map;
  map.SetAt(" TMS", "0");
  map.SetAt("Benzene-d6 (1H, singlet)", "7.16");
  std::string bytes = Store(map);
  EXPECT_EQ(bytes.substr(0, 9), std::string("\x02\x00\x04 TMS\x01"
                                            "0",
                                            9));

  CMapStringToString back;
  back.SetAt(" TMS", "old");  // loading adds to what is there, replacing
  Load(bytes, back);
  EXPECT_EQ(back.GetCount(), 2);
  CString v;
  ASSERT_TRUE(back.Lookup(" TMS", v));
  EXPECT_EQ(v, "0");
  EXPECT_EQ(Store(back), bytes);

  // A later duplicate replaces the earlier one.
  CMapStringToString dup;
  Load(std::string("\x02\x00\x01k\x01"
                   "a\x01k\x01"
                   "b",
                   11),
       dup);
  ASSERT_TRUE(dup.Lookup("k", v));
  EXPECT_EQ(v, "b");
  EXPECT_EQ(dup.GetCount(), 1);

  // A count far beyond the data ends in the end-of-file exception, with the
  // pairs read so far kept and nothing leaked.
  CMapStringToString cut;
  std::string damaged("\xFF\xFF\xFF\xFF\xFF\x7F\x01k\x01v", 10);
  try {
    Load(damaged, cut);
    ADD_FAILURE() << "no exception";
  } catch (CArchiveException* e) {
    e->Delete();
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::endOfFile);
    e->Delete();
  }
  EXPECT_EQ(cut.GetCount(), 1);
}

}  // namespace
