// The dialogs of the coupling, reference and relaxation tools on their
// templates: the list of reference signals and its file, the coupling
// table's rows, check boxes and commands, and the Relaxation dialog's table,
// fit and graph.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "onedim/dialogs/analysis/CouplingTableDialog.h"
#include "onedim/dialogs/analysis/ReferenceDialog.h"
#include "onedim/dialogs/analysis/RelaxationDialog.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/CouplingTable.h"
#include "onedim/model/Spectrum.h"
#include "resources/BrivaneRes.h"

namespace {

class CPlainHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  void UpdateDocumentViews() override { m_nUpdates++; }
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
  int m_nUpdates = 0;
};

std::string Text(HWND dialog, int id) {
  char text[256] = "";
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::string ListText(HWND list, int nIndex) {
  char text[256] = "";
  ::SendMessageA(list, LB_GETTEXT, nIndex, (LPARAM)text);
  return text;
}

void Command(HWND dialog, int id) {
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, id));
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class MeasureDialogsTest : public WindowTest {
 protected:
  void TearDown() override {
    AfxSetModalDialogHook(nullptr);
    WindowTest::TearDown();
  }
  std::string TempMap(const char* name) {
    std::string path = ::testing::TempDir() + "measure_" + name + ".map";
    std::remove(path.c_str());
    return path;
  }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const RecordedMessageBox& box : m_messageBoxes)
      texts.push_back(box.text);
    return texts;
  }

  CPlainHost m_host;
  CBrivaneProDoc m_doc{&m_host};
};

TEST_F(MeasureDialogsTest, ReferenceListsTheBuiltInSignalsEditsThemAndWritesTheFileOnOK) {
  const std::string path = TempMap("new");
  CReferenceDialog dlg(nullptr);
  dlg.m_strPath = path.c_str();
  dlg.m_strShift = "7.251";
  AfxSetModalDialogHook([&](CDialog& d) {
    HWND h = d.m_hWnd;
    HWND list = ::GetDlgItem(h, IDC_REF_LIST);
    EXPECT_EQ(15, (int)::SendMessageA(list, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(" TMS\t0", ListText(list, 0));
    EXPECT_EQ("7.251", Text(h, IDC_REF_SHIFT));

    // Choosing an entry fills both fields.
    const int nChloroform = (int)::SendMessageA(list, LB_FINDSTRINGEXACT, -1, (LPARAM) "Chloroform-d (1H, singlet)\t7.26");
    ASSERT_GE(nChloroform, 0);
    ::SendMessageA(list, LB_SETCURSEL, nChloroform, 0);
    ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_REF_LIST, LBN_SELCHANGE), (LPARAM)list);
    EXPECT_EQ("Chloroform-d (1H, singlet)", Text(h, IDC_REF_NAME));
    EXPECT_EQ("7.26", Text(h, IDC_REF_SHIFT));

    // Adding an existing name replaces its entry.
    ::SetDlgItemTextA(h, IDC_REF_SHIFT, "7.27");
    Command(h, IDC_REF_ADD);
    EXPECT_EQ(15, (int)::SendMessageA(list, LB_GETCOUNT, 0, 0));
    EXPECT_GE((int)::SendMessageA(list, LB_FINDSTRINGEXACT, -1, (LPARAM) "Chloroform-d (1H, singlet)\t7.27"), 0);

    // Removing a name with another shift in the field takes two presses.
    ::SetDlgItemTextA(h, IDC_REF_NAME, " TMS");
    ::SetDlgItemTextA(h, IDC_REF_SHIFT, "0.1");
    Command(h, IDC_REF_REMOVE);
    EXPECT_EQ("0", Text(h, IDC_REF_SHIFT));
    EXPECT_EQ(15, (int)::SendMessageA(list, LB_GETCOUNT, 0, 0));
    Command(h, IDC_REF_REMOVE);
    EXPECT_EQ(14, (int)::SendMessageA(list, LB_GETCOUNT, 0, 0));
    Command(h, IDC_REF_REMOVE);

    ::SetDlgItemTextA(h, IDC_REF_SHIFT, "2.5");
    d.SendMessage(WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ("2.5", std::string(dlg.m_strShift));
  EXPECT_EQ((std::vector<std::string>{"Key found.  Choose Remove again to remove.", "Key not found"}), Boxes());
  CSolventTable table(path.c_str());
  ASSERT_EQ(CSolventTable::loadRead, table.Load());
  EXPECT_EQ(14, table.GetMap().GetCount());
  CString shift;
  EXPECT_TRUE(table.Lookup("Chloroform-d (1H, singlet)", shift));
  EXPECT_STREQ("7.27", shift);
}

TEST_F(MeasureDialogsTest, ADamagedListIsReportedAndKeptUnlessChanged) {
  const std::string path = TempMap("damaged");
  const std::string damaged("\x05\x00\x03" "abc", 6);
  std::ofstream(path, std::ios::binary) << damaged;
  for (int nAction : {IDCANCEL, IDOK}) {
    m_messageBoxes.clear();
    CReferenceDialog dlg(nullptr);
    dlg.m_strPath = path.c_str();
    AfxSetModalDialogHook([&](CDialog& d) {
      EXPECT_EQ(15, (int)::SendDlgItemMessageA(d.m_hWnd, IDC_REF_LIST, LB_GETCOUNT, 0, 0));
      d.SendMessage(WM_COMMAND, nAction, 0);
    });
    dlg.DoModal();
    ASSERT_EQ(1u, m_messageBoxes.size());
    EXPECT_NE(std::string::npos, m_messageBoxes[0].text.find("is damaged")) << m_messageBoxes[0].text;
    EXPECT_EQ(damaged, FileBytes(path));
  }
  // Remove All is a change: OK then writes the empty list.
  CReferenceDialog dlg(nullptr);
  dlg.m_strPath = path.c_str();
  AfxSetModalDialogHook([&](CDialog& d) {
    Command(d.m_hWnd, ID_REF_REMOVE_ALL);
    EXPECT_EQ(0, (int)::SendDlgItemMessageA(d.m_hWnd, IDC_REF_LIST, LB_GETCOUNT, 0, 0));
    d.SendMessage(WM_COMMAND, IDOK, 0);
  });
  dlg.DoModal();
  EXPECT_EQ(std::string("\x00\x00", 2), FileBytes(path));
}

TEST_F(MeasureDialogsTest, CouplingTableListsPairsAndKeepsTheirFlags) {
  CSpectrumParams params;
  params.td = 512;
  params.sw = 4000.0;
  params.sf = 400.0;
  CSpectrum* s = m_doc.AddSpectrum(params);
  s->m_pData = CSpectrum::AllocateFloats(512);
  m_doc.SetCurrentSpectrum(s);
  m_doc.StartCoupling(100);
  m_doc.AddCouplingPartner(110);
  m_doc.AddCouplingPartner(90);
  SetCouplingShown(*s, 1, TRUE);
  m_doc.StartCoupling(300);  // a measurement without partners lists nothing
  m_doc.m_nMouseMode = MOUSE_COUPLING_PARTNERS;

  CCouplingTableDialog* pDialog = new CCouplingTableDialog(&m_doc, nullptr);
  m_doc.m_pCouplingTable = pDialog;
  ASSERT_TRUE(pDialog->CreateModeless(nullptr));
  HWND h = pDialog->m_hWnd;
  HWND list = ::GetDlgItem(h, IDC_COUPLING_LIST);
  ASSERT_EQ(2, (int)::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  char cell[64] = "";
  LVITEMA item = {};
  item.iSubItem = 2;
  item.pszText = cell;
  item.cchTextMax = sizeof cell;
  ::SendMessageA(list, LVM_GETITEMTEXTA, 0, (LPARAM)&item);
  EXPECT_STREQ("78.125", cell) << "5 complex points of 4000 Hz over 256";
  auto checked = [&](int nRow) {
    return (::SendMessageA(list, LVM_GETITEMSTATE, nRow, LVIS_STATEIMAGEMASK) >> 12) == 2;
  };
  EXPECT_FALSE(checked(0));
  EXPECT_TRUE(checked(1));
  EXPECT_EQ(1, IsCouplingShown(*s, 1)) << "filling the list leaves the flags";

  // Ticking a row shows its pair; hovering over one marks it.
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(2);
  ::SendMessageA(list, LVM_SETITEMSTATE, 0, (LPARAM)&item);
  EXPECT_TRUE(IsCouplingShown(*s, 0));
  ::SendMessageA(h, WMU_LIST_HOT_ITEM, 1, 0);
  EXPECT_EQ(0, m_doc.m_nSelectedCoupling);
  EXPECT_EQ(1, m_doc.m_nSelectedCouplingEntry);
  EXPECT_EQ(1, s->m_bSelectedJShown);

  // Reset waits for a new reference line; Delete takes the selected pair.
  ::SendMessageA(h, WM_COMMAND, ID_COUPLING_RESET, 0);
  EXPECT_EQ(MOUSE_COUPLING_REFERENCE, m_doc.m_nMouseMode);
  EXPECT_EQ(0, s->m_bMeasuringJ);
  item.stateMask = item.state = LVIS_SELECTED;
  ::SendMessageA(list, LVM_SETITEMSTATE, 0, (LPARAM)&item);
  ::SendMessageA(h, WM_COMMAND, ID_COUPLING_DELETE, 0);
  EXPECT_EQ(1, (int)::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  EXPECT_EQ(0, s->m_bSelectedJShown);

  // Cancel stores the check boxes and ends the tool.
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(1);
  ::SendMessageA(list, LVM_SETITEMSTATE, 0, (LPARAM)&item);
  ::SendMessageA(h, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_EQ(nullptr, m_doc.m_pCouplingTable);
  EXPECT_EQ(MOUSE_NONE, m_doc.m_nMouseMode);
  EXPECT_FALSE(IsCouplingShown(*s, 0));
}

class RelaxationDialogTest : public MeasureDialogsTest {
 protected:
  // Eight spectra of an inversion-recovery series at float index 40.
  void SetUp() override {
    MeasureDialogsTest::SetUp();
    for (double t : kDelays) {
      CSpectrumParams params;
      params.td = 64;
      params.sw = 1000.0;
      params.sf = 100.0;
      CSpectrum* s = m_doc.AddSpectrum(params);
      s->m_pData = CSpectrum::AllocateFloats(64);
      s->m_pData[40] = (float)(1000.0 * (1.0 - 2.0 * std::exp(-t / kT1)));
      m_doc.SetCurrentSpectrum(s);
    }
    m_doc.SetRelaxationPoint(40);
  }
  static void TypeDelays(CRelaxationDialog& d) {
    for (int k = 0; k < 8; k++) {
      char text[32];
      std::snprintf(text, sizeof text, "%g", kDelays[k]);
      d.GetGrid().SetItemText(k + 1, 1, text);
    }
  }
  static constexpr double kT1 = 1.3;
  static constexpr double kDelays[8] = {0.05, 0.1, 0.2, 0.4, 0.8, 1.6, 3.2, 12.0};
};

TEST_F(RelaxationDialogTest, TheTableFitsT1AndTheLastRowsDeletedLeaveTooFew) {
  CRelaxationDialog dlg(&m_doc, nullptr);
  AfxSetModalDialogHook([&](CDialog& d) {
    CRelaxationDialog& r = static_cast<CRelaxationDialog&>(d);
    HWND h = d.m_hWnd;
    CGridCtrl& grid = r.GetGrid();
    ASSERT_EQ(9, grid.GetRowCount());
    EXPECT_STREQ("Int.", grid.GetItemText(0, 2));
    EXPECT_STREQ(m_doc.GetRelaxationIntensities()[0], grid.GetItemText(1, 2));
    EXPECT_STREQ("  ", grid.GetItemText(1, 1));

    TypeDelays(r);
    Command(h, IDC_RELAX_CALCULATE);
    double dT1 = 0.0;
    ASSERT_EQ(1, std::sscanf(Text(h, IDC_RELAX_RESULT).c_str(), "T1=%lf", &dT1)) << Text(h, IDC_RELAX_RESULT);
    EXPECT_NEAR(kT1, dT1, 0.01 * kT1);
    EXPECT_STREQ("Calc.", grid.GetItemText(0, 3));
    EXPECT_EQ(8u, r.GetCalculated().size());

    // The focus row goes; the next calculation takes the rows left.
    for (int k = 0; k < 6; k++) {
      grid.SetFocusCell(1, 1);
      Command(h, IDC_RELAX_DELETE_ROW);
    }
    EXPECT_EQ(3, grid.GetRowCount());
    EXPECT_EQ(2u, r.GetPoints().size());
    Command(h, IDC_RELAX_CALCULATE);
    EXPECT_EQ("", Text(h, IDC_RELAX_RESULT));

    // Reset brings every spectrum back, without the calculated column.
    Command(h, IDC_RELAX_RESET);
    EXPECT_EQ(9, grid.GetRowCount());
    EXPECT_EQ(3, grid.GetColumnCount());
    d.SendMessage(WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ((std::vector<std::string>{"T1 needs at least three delays"}), Boxes());
}

TEST_F(RelaxationDialogTest, ShowGraphOpensAndCutsTheDialog) {
  CRelaxationDialog dlg(&m_doc, nullptr);
  AfxSetModalDialogHook([&](CDialog& d) {
    HWND h = d.m_hWnd;
    auto height = [h] {
      RECT rc;
      ::GetWindowRect(h, &rc);
      return rc.bottom - rc.top;
    };
    const int nCut = height();
    EXPECT_EQ(" &Show Graph", Text(h, IDC_RELAX_SHOW_GRAPH));
    Command(h, IDC_RELAX_SHOW_GRAPH);
    EXPECT_GT(height(), nCut + 100);
    EXPECT_EQ(" &Hide Graph", Text(h, IDC_RELAX_SHOW_GRAPH));
    Command(h, IDC_RELAX_SHOW_GRAPH);
    EXPECT_EQ(nCut, height());
    d.SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  dlg.DoModal();
}

}  // namespace
