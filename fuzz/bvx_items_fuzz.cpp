// Fuzz target of the .bvx items trailer and the item records inside it: any
// bytes as a file. A file that reads brings its items block (or says it is
// damaged); the block splits into records without reading outside it; the
// file written again with that block reads back with the same block.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/FuzzFiles.h"
#include "framework/base/ItemRecords.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"

namespace {

class CItemsHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  void GetItemsBlock(std::vector<BYTE>& block) override { block = m_block; }
  void TakeItemsBlock(const std::vector<BYTE>& block, BOOL bDamaged) override {
    if (bDamaged && !block.empty())
      std::abort();  // a damaged trailer brings nothing
    m_block = block;
  }
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
  std::vector<BYTE> m_block;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The records alone, as the program splits a block it was given.
  int nDamaged = 0;
  std::vector<CItemRecord> records = SplitItemRecords(data, size, &nDamaged);
  if (nDamaged == 0 && size >= 4 && JoinItemRecords(records).size() > size)
    std::abort();

  std::string in = FuzzWorkPath("bvx_items", "in.bvx");
  WriteFuzzFile(in, data, size);

  CItemsHost host;
  CBrivaneProDoc doc(&host);
  if (doc.ReadNativeFile(in.c_str())) {
    SplitItemRecords(host.m_block.data(), host.m_block.size(), &nDamaged);
    std::string out = FuzzWorkPath("bvx_items", "out.bvx");
    if (!doc.WriteNativeFile(out.c_str()))
      std::abort();
    CItemsHost again;
    CBrivaneProDoc reread(&again);
    if (!reread.ReadNativeFile(out.c_str()) || again.m_block != host.m_block)
      std::abort();
    std::remove(out.c_str());
  }
  return 0;
}
