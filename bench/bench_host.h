// The host of a document without windows, for the benchmarks that run
// commands through the document.
#pragma once

#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"

class CBenchHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
};
