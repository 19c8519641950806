// Loads arbitrary bytes through CArchive: a string map (the layout of the
// solvent list), linked objects, and strings, counts and text lines. The
// first byte picks which.
#include <cstddef>
#include <cstdint>
#include <set>
#include <vector>

#include "framework/base/Base.h"
#include "framework/base/Maps.h"

namespace {

// Every live node is tracked, so the fuzzer can free what a partial load
// left behind and the leak checker sees only what the archive loses.
std::set<CObject*> g_liveNodes;

class CNode : public CObject {
  DECLARE_SERIAL(CNode)

 public:
  CNode() { g_liveNodes.insert(this); }
  ~CNode() override { g_liveNodes.erase(this); }

  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << m_value << m_name << m_pLink;
    } else {
      ar >> m_value >> m_name;
      m_pLink = ar.ReadObject(nullptr);
    }
  }

  int m_value = 0;
  CString m_name;
  CObject* m_pLink = nullptr;  // not owned
};
IMPLEMENT_SERIAL(CNode, CObject, VERSIONABLE_SCHEMA | 1)

void LoadMap(CArchive& ar) {
  CMapStringToString map;
  map.Serialize(ar);
}

void LoadObjects(CArchive& ar) {
  for (int i = 0; i < 32; ++i) {
    CObject* p = ar.ReadObject(nullptr);
    if (p != nullptr && !p->IsKindOf(RUNTIME_CLASS(CNode)))
      __builtin_trap();
    CNode* node = nullptr;
    ar >> node;
  }
}

void LoadValues(CArchive& ar) {
  for (int i = 0; i < 64; ++i) {
    CString s;
    ar >> s;
    DWORD_PTR n = ar.ReadCount();
    (void)n;
    double d;
    short h;
    ar >> d >> h;
    char line[16];
    ar.ReadString(line, sizeof line);
    ar.ReadString(s);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  std::vector<BYTE> copy(data + 1, data + size);
  CMemFile file(copy.empty() ? nullptr : copy.data(), (UINT)copy.size());
  {
    // A small buffer makes the archive refill often.
    CArchive ar(&file, CArchive::load, 16);
    try {
      switch (data[0] % 3) {
        case 0:
          LoadMap(ar);
          break;
        case 1:
          LoadObjects(ar);
          break;
        default:
          LoadValues(ar);
          break;
      }
    } catch (CException* e) {
      e->Delete();
    }
  }
  while (!g_liveNodes.empty())
    delete *g_liveNodes.begin();
  return 0;
}
