// What the 1D document offers in its File, Edit, View and Layout menus, on an
// empty document and on one of two spectra: the update pass of each entry
// run on the document's command route, in the test's own process.
#include "framework/win/WindowTest.h"

#include "framework/win/CmdUI.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"
#include "resources/BrivaneRes.h"

namespace {

// Records what the update pass says of one entry.
class CEntryProbe : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnabled = bOn;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int nCheck) override { m_nCheck = nCheck; }
  BOOL m_bEnabled = FALSE;
  int m_nCheck = 0;
};

struct Entry {
  UINT id;
  bool enabled, checked;
};

void ExpectEntries(CBrivaneDocument& doc, const std::vector<Entry>& entries, const char* what) {
  for (const Entry& e : entries) {
    CEntryProbe probe;
    probe.m_nID = e.id;
    probe.DoUpdate(&doc, TRUE);
    EXPECT_EQ(e.enabled, probe.m_bEnabled != FALSE) << what << " " << e.id;
    EXPECT_EQ(e.checked, probe.m_nCheck != 0) << what << " " << e.id;
  }
}

void AddSpectrum(CBrivaneDocument& doc, float fValue) {
  CSpectrumParams params;
  params.td = 64;
  params.sw = 1000.0;
  params.sf = 100.0;
  CSpectrum* s = doc.AddSpectrum(params);
  s->m_pData = CSpectrum::AllocateFloats(params.td);
  s->m_pRawData = CSpectrum::AllocateFloats(params.td);
  for (int i = 0; i < params.td; i++)
    s->m_pData[i] = fValue;
  s->m_nFirst = 0;
  s->m_nLast = params.td;
  doc.m_pCurrent = s;
}

class DocumentMenusTest : public WindowTest {};

TEST_F(DocumentMenusTest, EntriesFollowTheirRulesOnAnEmptyAndOnAFullDocument) {
  CBrivaneDocument doc;
  // Always offered, whatever the document holds.
  const std::vector<Entry> always = {
      {ID_FILE_OPEN_ADDITIONAL, true, false}, {ID_FILE_EXPORT_ASCII, true, false}, {ID_FILE_BYTE_SWAP, true, false},
      {ID_EDIT_PROPERTIES, true, false},      {ID_EDIT_COPY, true, false},         {ID_EDIT_COPY_DATA, true, false},
      {ID_EDIT_ADD_TEXT, true, false},        {ID_VIEW_INCREASE, true, false},     {ID_VIEW_DECREASE, true, false},
      {ID_VIEW_SET_LIMITS, true, false},      {ID_VIEW_EXPANSION, true, false},    {ID_LAYOUT_OVERLAY, true, false},
      {ID_LAYOUT_STACKED, true, false},       {ID_LAYOUT_OPTIONS, true, false},
  };
  ExpectEntries(doc, always, "empty");
  ExpectEntries(doc,
                {{ID_EDIT_DELETE_SPECTRUM, false, false},
                 {ID_EDIT_PASTE_DATA, false, false},
                 {ID_EDIT_SUM_DATA, false, false},
                 {ID_VIEW_FULL_SPECTRUM, true, false},
                 {ID_VIEW_ZOOM, true, false},
                 {ID_VIEW_ZOOM_ALL, true, false},
                 {ID_VIEW_SHOW_GRID, true, false},
                 // The OLE container commands wait for the OLE items.
                 {ID_EDIT_PASTE, false, false},
                 {ID_OLE_INSERT_NEW, false, false},
                 {ID_EDIT_CLEAR, false, false}},
                "empty");

  AddSpectrum(doc, 1.0f);
  ExpectEntries(doc, {{ID_EDIT_DELETE_SPECTRUM, false, false}, {ID_VIEW_FULL_SPECTRUM, true, true}}, "one spectrum");
  AddSpectrum(doc, 2.0f);
  ExpectEntries(doc, always, "two spectra");
  ExpectEntries(doc, {{ID_EDIT_DELETE_SPECTRUM, true, false}, {ID_EDIT_PASTE_DATA, false, false}}, "two spectra");

  // The toggles check their entries; Copy Data offers Paste and Sum Data.
  for (UINT id : {ID_EDIT_COPY_DATA, ID_VIEW_ZOOM, ID_VIEW_ZOOM_ALL, ID_VIEW_SHOW_GRID})
    doc.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr);
  doc.GetCurrentSpectrum()->m_nLast = 32;
  ExpectEntries(doc,
                {{ID_EDIT_PASTE_DATA, true, false},
                 {ID_EDIT_SUM_DATA, true, false},
                 {ID_VIEW_ZOOM, true, true},
                 {ID_VIEW_ZOOM_ALL, true, true},
                 {ID_VIEW_SHOW_GRID, true, true},
                 {ID_VIEW_FULL_SPECTRUM, true, false}},
                "after the toggles");
  doc.OnCmdMsg(ID_VIEW_FULL_SPECTRUM, CN_COMMAND, nullptr, nullptr);
  ExpectEntries(doc, {{ID_VIEW_FULL_SPECTRUM, true, true}}, "after Full Spectrum");
  doc.OnCmdMsg(ID_EDIT_DELETE_SPECTRUM, CN_COMMAND, nullptr, nullptr);
  ExpectEntries(doc, {{ID_EDIT_DELETE_SPECTRUM, false, false}}, "one left");
}

}  // namespace
