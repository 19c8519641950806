// The simulation dialogs on their templates: the Simulation dialog's grid,
// units and subsystems; the spin diagram and the two small dialogs it opens;
// the Interactive Simulation's steps; the Fid Simulation.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "onedim/dialogs/simulation/SimulationDialogs.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"
#include "onedim/simulation/SpinSystem.h"
#include "resources/BrivaneRes.h"

namespace {

class CPlainHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
};

// The Simulation dialog as the document's editor, driven by act.
class CDialogEditor : public CSimulationEditor {
 public:
  explicit CDialogEditor(std::function<void(CDialog&)> act) : m_act(std::move(act)) {}
  BOOL EditSpinSystems(CSpectrum& spectrum) override {
    AfxSetModalDialogHook([&](CDialog& d) { m_act(d); });
    CSimulationDialog dlg(spectrum);
    const INT_PTR nResult = dlg.DoModal();
    AfxSetModalDialogHook(nullptr);
    return nResult == IDOK;
  }
  std::function<void(CDialog&)> m_act;
};

class SimulationDialogsTest : public WindowTest {
 protected:
  static INT_PTR Run(CDialog& dlg, const std::function<void(CDialog&)>& act) {
    AfxSetModalDialogHook([&](CDialog& d) { act(d); });
    const INT_PTR nResult = dlg.DoModal();
    AfxSetModalDialogHook(nullptr);
    return nResult;
  }
  static HWND Item(CDialog& d, int nID) { return ::GetDlgItem(d.m_hWnd, nID); }
  static void Select(CDialog& d, int nID, int nItem) {
    ::SendMessageA(Item(d, nID), CB_SETCURSEL, (WPARAM)nItem, 0);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)Item(d, nID));
  }
  static void Press(CDialog& d, int nID) {
    d.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)Item(d, nID));
  }
  static std::vector<std::string> ComboItems(HWND hCombo) {
    std::vector<std::string> items;
    const int n = (int)::SendMessageA(hCombo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; i++) {
      char sz[128] = {};
      ::SendMessageA(hCombo, CB_GETLBTEXT, (WPARAM)i, (LPARAM)sz);
      items.push_back(sz);
    }
    return items;
  }

  // A system of the groups (spins, shift in Hz) with couplings J(p, q).
  static CSpinSystem* MakeSystem(CSpectrum& s, const std::vector<std::pair<int, double>>& groups,
                                 const std::vector<std::vector<double>>& j = {}) {
    CSpinSystem* system = new CSpinSystem;
    s.m_arrObjects.Add(system);
    system->SetGroupCount((int)groups.size());
    for (size_t g = 0; g < groups.size(); g++) {
      system->m_pSpins[g] = groups[g].first;
      system->m_pShifts[g] = (float)groups[g].second;
    }
    for (const std::vector<double>& c : j)
      system->m_ppCoupling[(int)c[0]][(int)c[1]] = c[2];
    return system;
  }

  CSpectrum* AddSpectrum() {
    CSpectrumParams params;
    params.td = 2048;
    CSpectrum* s = m_doc.AddSpectrum(params);
    s->m_pData = CSpectrum::AllocateFloats(2048);
    s->m_pRawData = CSpectrum::AllocateFloats(2048);
    m_doc.SetCurrentSpectrum(s);
    return s;
  }

  CPlainHost m_host;
  CBrivaneProDoc m_doc{&m_host};
};

TEST_F(SimulationDialogsTest, GridShowsTheSystemAndOkStoresOnlyTheLowerTriangle) {
  CSpectrum* s = AddSpectrum();
  CSpinSystem* system = MakeSystem(*s, {{2, 100.0}, {1, 250.5}, {3, 0.0}}, {{0, 1, 7.25}, {1, 2, -1.5}});
  s->m_bGaussian = 1;
  CSimulationDialog dlg(*s);
  ASSERT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              CSimulationDialog& sim = static_cast<CSimulationDialog&>(d);
              CGridCtrl& grid = sim.GetGrid();
              EXPECT_EQ(4, grid.GetRowCount());
              EXPECT_EQ(6, grid.GetColumnCount());
              EXPECT_EQ(27, grid.GetColumnWidth(1));
              EXPECT_EQ(45, grid.GetColumnWidth(4));
              const char* const expected[4][6] = {
                  {"", "N", "Shift", "A", "B", "C"},
                  {"A", "2", "100.000", "", "", ""},
                  {"B", "1", "250.500", "7.250", "", ""},
                  {"C", "3", "", "", "-1.500", ""},
              };
              for (int r = 0; r < 4; r++)
                for (int c = 0; c < 6; c++) {
                  EXPECT_EQ(expected[r][c], std::string(grid.GetItemText(r, c))) << r << " " << c;
                  const bool bLocked = (r == 0 && c == 0) || (r >= 1 && c >= r + 2);
                  EXPECT_EQ(bLocked, (grid.GetItemState(r, c) & GVIS_READONLY) != 0) << r << " " << c;
                }
              EXPECT_EQ("3000.000", TextOf(Item(d, IDC_SIM_MAX_FREQ)));
              EXPECT_EQ("64000", TextOf(Item(d, IDC_SIM_POINTS)));
              EXPECT_EQ("0.00001", TextOf(Item(d, IDC_SIM_THRESHOLD)));
              EXPECT_EQ(std::vector<std::string>{"1"}, ComboItems(Item(d, IDC_SIM_SUBSYSTEM)));
              EXPECT_EQ(3, sim.GetDiagram().GetNodeCount());
              // A text put where J is never entered is not stored.
              grid.SetItemText(1, 4, "99");
              grid.SetItemText(3, 3, "4.5");
              grid.SetItemText(3, 1, "2");
              ::SetWindowTextA(Item(d, IDC_SIM_LINE_WIDTH), "1.25");
              Select(d, IDC_SIM_LINE_SHAPE, 1);
              d.SendMessage(WM_COMMAND, IDOK, 0);
            }));
  EXPECT_EQ(1, s->m_bGaussian);
  ASSERT_EQ(3, system->m_nGroups);
  EXPECT_EQ(2, system->m_pSpins[2]);
  EXPECT_EQ(250.5f, system->m_pShifts[1]);
  EXPECT_EQ(7.25, system->m_ppCoupling[0][1]);
  EXPECT_EQ(4.5, system->m_ppCoupling[0][2]);
  EXPECT_EQ(-1.5, system->m_ppCoupling[1][2]);
  for (int p = 0; p < 3; p++)
    for (int q = 0; q <= p; q++)
      EXPECT_EQ(0.0, system->m_ppCoupling[p][q]) << p << " " << q;
  EXPECT_EQ(1.25, system->m_dLineWidth);
}

// ppm shows rounded values; switching back, or OK in ppm, gives the Hz
// values as they were while the texts are left alone; a value typed in ppm
// is taken times the spectrometer frequency.
TEST_F(SimulationDialogsTest, UnitsSwitchKeepsTheHzValues) {
  CSpectrum* s = AddSpectrum();
  CSpinSystem* system = MakeSystem(*s, {{1, 100.0}, {1, 412.0}});
  system->m_dMinFrequency = 1234.5;
  system->m_dMaxFrequency = 2987.654;
  CSimulationDialog dlg(*s);
  ASSERT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              CGridCtrl& grid = static_cast<CSimulationDialog&>(d).GetGrid();
              Select(d, IDC_SIM_UNITS, 1);
              EXPECT_EQ("4.1", TextOf(Item(d, IDC_SIM_MIN_FREQ)));
              EXPECT_EQ("10.0", TextOf(Item(d, IDC_SIM_MAX_FREQ)));
              EXPECT_EQ("0.333", std::string(grid.GetItemText(1, 2)));
              Select(d, IDC_SIM_UNITS, 1);  // the same units again: nothing changes
              EXPECT_EQ("4.1", TextOf(Item(d, IDC_SIM_MIN_FREQ)));
              Select(d, IDC_SIM_UNITS, 0);
              EXPECT_EQ("1234.500", TextOf(Item(d, IDC_SIM_MIN_FREQ)));
              EXPECT_EQ("2987.654", TextOf(Item(d, IDC_SIM_MAX_FREQ)));
              EXPECT_EQ("100.000", std::string(grid.GetItemText(1, 2)));
              Select(d, IDC_SIM_UNITS, 1);
              grid.SetItemText(2, 2, "2");  // typed in ppm
              d.SendMessage(WM_COMMAND, IDOK, 0);
            }));
  EXPECT_EQ(1, system->m_bPpm);
  EXPECT_EQ(1234.5, system->m_dMinFrequency);
  EXPECT_EQ(2987.654, system->m_dMaxFrequency);
  EXPECT_EQ(100.0f, system->m_pShifts[0]);
  EXPECT_EQ(600.0f, system->m_pShifts[1]);

  // Opened again, the system shows in ppm; with another spectrometer
  // frequency the ppm values shown are what counts.
  CSimulationDialog again(*s);
  ASSERT_EQ(IDOK, Run(again, [&](CDialog& d) {
              EXPECT_EQ(1, (int)::SendMessageA(Item(d, IDC_SIM_UNITS), CB_GETCURSEL, 0, 0));
              EXPECT_EQ("4.115", TextOf(Item(d, IDC_SIM_MIN_FREQ)));
              ::SetWindowTextA(Item(d, IDC_SIM_SF), "600");
              d.SendMessage(WM_COMMAND, IDOK, 0);
            }));
  EXPECT_DOUBLE_EQ(4.115 * 600, system->m_dMinFrequency);
  EXPECT_FLOAT_EQ((float)(0.333 * 600), system->m_pShifts[0]);
}

// Add Subsystem twice: "1", "2", "3", and the spectrum is the sum of the
// three systems.
TEST_F(SimulationDialogsTest, SubsystemsAddUpInTheSpectrum) {
  const double shifts[] = {300.0, 1200.0, 2400.0};
  CDialogEditor editor([&](CDialog& d) {
    CSimulationDialog& sim = static_cast<CSimulationDialog&>(d);
    for (int k = 0; k < 3; k++) {
      if (k > 0)
        Press(d, IDC_SIM_ADD_SUBSYSTEM);
      EXPECT_EQ(k, (int)::SendMessageA(Item(d, IDC_SIM_SUBSYSTEM), CB_GETCURSEL, 0, 0));
      Select(d, IDC_SIM_GROUPS, 0);  // 0 selects 1
      EXPECT_EQ(1, (int)::SendMessageA(Item(d, IDC_SIM_GROUPS), CB_GETCURSEL, 0, 0));
      sim.GetGrid().SetItemText(1, 1, "1");
      sim.GetGrid().SetItemText(1, 2, std::to_string(shifts[k]).c_str());
      ::SetWindowTextA(Item(d, IDC_SIM_POINTS), "8192");
    }
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}), ComboItems(Item(d, IDC_SIM_SUBSYSTEM)));
    // Back to the first: its values come back.
    Select(d, IDC_SIM_SUBSYSTEM, 0);
    EXPECT_EQ("300.000", std::string(sim.GetGrid().GetItemText(1, 2)));
    d.SendMessage(WM_COMMAND, IDOK, 0);
  });
  ASSERT_TRUE(m_doc.Simulate(TRUE, editor));
  CSpectrum* s = m_doc.GetCurrentSpectrum();
  ASSERT_EQ(3, s->m_arrObjects.GetSize());
  ASSERT_EQ(8192, s->m_paramsA.td);
  auto valueNear = [&](double f) {
    int nBest = 0;
    for (int i = 0; i < 8192; i += 2)
      if (std::fabs(s->ConvertUnits(i, AXIS_UNITS_HZ) - f) < std::fabs(s->ConvertUnits(nBest, AXIS_UNITS_HZ) - f))
        nBest = i;
    float fPeak = 0.0f;
    for (int i = std::max(0, nBest - 8); i <= std::min(8190, nBest + 8); i += 2)
      fPeak = std::max(fPeak, s->m_pData[i]);
    return fPeak;
  };
  for (double f : shifts)
    EXPECT_GT(valueNear(f), 10.0f * valueNear(1800.0)) << f;
}

TEST_F(SimulationDialogsTest, NonFiniteShiftOrCouplingIsRefusedWithItsPrompt) {
  CSpectrum* s = AddSpectrum();
  CSpinSystem* system = MakeSystem(*s, {{1, 100.0}, {1, 200.0}});
  // Beyond the range of a double: the C library reads them as infinite.
  for (const char* bad : {"1e999", "-1e400"}) {
    for (int col : {2, 3}) {
      CSimulationDialog dlg(*s);
      m_messageBoxes.clear();
      EXPECT_EQ(IDCANCEL, Run(dlg, [&](CDialog& d) {
                  static_cast<CSimulationDialog&>(d).GetGrid().SetItemText(2, col, bad);
                  d.SendMessage(WM_COMMAND, IDOK, 0);
                  EXPECT_TRUE(::IsWindow(d.m_hWnd)) << "the dialog stays open";
                  d.SendMessage(WM_COMMAND, IDCANCEL, 0);
                }));
      ASSERT_EQ(1u, m_messageBoxes.size()) << bad;
      EXPECT_EQ("Shifts and coupling constants must be finite numbers", m_messageBoxes[0].text);
    }
  }
  EXPECT_EQ(200.0f, system->m_pShifts[1]);
  EXPECT_EQ(0.0, system->m_ppCoupling[0][1]);
}

// The diagram: one node at the top centre, lines only for couplings above
// zero; a click edits a group, a drag between two nodes their coupling,
// a release outside every node nothing.
TEST_F(SimulationDialogsTest, SpinDiagramDrawsCouplingsAndEditsThroughTheGrid) {
  CSpectrum* s = AddSpectrum();
  MakeSystem(*s, {{1, 100.0}, {2, 200.0}, {1, 300.0}});
  int nInner = 0;
  // One hook for the Simulation dialog and the two the diagram opens.
  auto inner = [&](CDialog& d) {
    nInner++;
    if (dynamic_cast<CCouplingConstantDialog*>(&d) != nullptr) {
      EXPECT_EQ("3.00", TextOf(Item(d, IDC_CC_VALUE)));
      ::SetWindowTextA(Item(d, IDC_CC_VALUE), "6.127");
    } else {
      EXPECT_EQ("Group B", TextOf(Item(d, IDC_CS_GROUP)));
      EXPECT_EQ("2", TextOf(Item(d, IDC_CS_SPINS)));
      EXPECT_EQ("200.00", TextOf(Item(d, IDC_CS_SHIFT)));
      ::SetWindowTextA(Item(d, IDC_CS_SPINS), "3");
      ::SetWindowTextA(Item(d, IDC_CS_SHIFT), "222.333");
    }
    d.SendMessage(WM_COMMAND, IDOK, 0);
  };
  auto outer = [&](CDialog& d) {
    CSimulationDialog& sim = static_cast<CSimulationDialog&>(d);
    CSpinDiagram& diagram = sim.GetDiagram();
    CGridCtrl& grid = sim.GetGrid();
    HWND hDiagram = diagram.m_hWnd;
    RECT rc;
    ::GetClientRect(hDiagram, &rc);
    struct Case {
      const char* ab;
      const char* bc;
      int nLines;
    };
    for (const Case& c : {Case{"", "", 0}, Case{"0", "0.5", 1}, Case{"3", "-2", 2}}) {
      grid.SetItemText(2, 3, c.ab);
      grid.SetItemText(3, 4, c.bc);
      ::RedrawWindow(hDiagram, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      EXPECT_EQ(c.nLines, diagram.GetLinesDrawn()) << c.ab << " " << c.bc;
    }
    const CSpinNode a = diagram.GetNode(0), b = diagram.GetNode(1);
    // The node under the mouse turns red, and back when it leaves.
    diagram.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(b.x, b.y));
    EXPECT_EQ(CSpinDiagram::HotColour, diagram.GetNode(1).crColour);
    EXPECT_EQ(CSpinDiagram::NodeColour, diagram.GetNode(0).crColour);
    diagram.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1, rc.bottom - 1));
    EXPECT_EQ(CSpinDiagram::NodeColour, diagram.GetNode(1).crColour);
    // Drag B to A: the coupling is written in row B, column A.
    diagram.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.x, b.y));
    EXPECT_EQ(1, diagram.GetPressedNode());
    diagram.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(a.x, a.y));
    EXPECT_EQ(-1, diagram.GetPressedNode());
    EXPECT_EQ("6.13", std::string(grid.GetItemText(2, 3)));
    // Click on B: the group's row.
    diagram.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.x, b.y));
    diagram.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(b.x, b.y));
    EXPECT_EQ("3", std::string(grid.GetItemText(2, 1)));
    EXPECT_EQ("222.33", std::string(grid.GetItemText(2, 2)));
    EXPECT_EQ(2, nInner);
    // Released outside every node: no dialog.
    diagram.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
    diagram.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1, rc.bottom - 1));
    EXPECT_EQ(-1, diagram.GetPressedNode());
    EXPECT_EQ(2, nInner);
    // One group: its node at the top centre, no line.
    Select(d, IDC_SIM_GROUPS, 1);
    ::RedrawWindow(hDiagram, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(0, diagram.GetLinesDrawn());
    EXPECT_EQ(rc.right / 2, diagram.GetNode(0).x);
    EXPECT_EQ(rc.bottom / 2 - (int)(0.4 * std::min(rc.right, rc.bottom)), diagram.GetNode(0).y);
    d.SendMessage(WM_COMMAND, IDCANCEL, 0);
  };
  CSimulationDialog dlg(*s);
  EXPECT_EQ(IDCANCEL, Run(dlg, [&](CDialog& d) {
              if (dynamic_cast<CSimulationDialog*>(&d) != nullptr)
                outer(d);
              else
                inner(d);
            }));
}

// Inc >> repeated keeps raising the shift and recomputing; a coupling is
// chosen from its combo and applied.
TEST_F(SimulationDialogsTest, InteractiveSimulationStepsAndRecomputes) {
  CSpectrum* s = AddSpectrum();
  CSpinSystem* system = MakeSystem(*s, {{2, 100.0}, {1, 400.0}}, {{0, 1, 5.0}});
  system->m_nPoints = 2048;
  system->m_dMaxFrequency = 1000.0;
  CInteractiveSimulationDialog dlg(m_doc);
  EXPECT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              EXPECT_EQ("Shift of Nucleus A", TextOf(Item(d, IDC_ISIM_LABEL)));
              EXPECT_EQ("100.000", TextOf(Item(d, IDC_ISIM_VALUE)));
              EXPECT_EQ("2", TextOf(Item(d, IDC_ISIM_INCREMENT)));
              EXPECT_EQ((std::vector<std::string>{"Shift A= 100.000", "Shift B= 400.000"}),
                        ComboItems(Item(d, IDC_ISIM_SHIFTS)));
              EXPECT_EQ(std::vector<std::string>{"J(A,B)=5.000"}, ComboItems(Item(d, IDC_ISIM_COUPLINGS)));
              HWND hInc = ::GetDlgItem(d.m_hWnd, IDC_ISIM_INC);
              ASSERT_NE(nullptr, hInc);
              EXPECT_EQ("Inc >>", TextOf(hInc));
              EXPECT_EQ("<< Dec", TextOf(::GetDlgItem(d.m_hWnd, IDC_ISIM_DEC)));
              ::SetWindowTextA(Item(d, IDC_ISIM_INCREMENT), "50");
              for (int i = 1; i <= 4; i++) {
                d.SendMessage(WMU_REPEAT_VALUE, IDC_ISIM_INC, 0);
                EXPECT_EQ(100.0f + 50.0f * i, system->m_pShifts[0]);
                s->FindMaximum();
                // A's doublet, J apart, is the strongest.
                EXPECT_NEAR(100.0 + 50.0 * i, s->ConvertUnits(s->m_nMaxIndex, AXIS_UNITS_HZ), 4.0) << i;
              }
              EXPECT_EQ("300.000", TextOf(Item(d, IDC_ISIM_VALUE)));
              EXPECT_EQ(2, (int)::SendMessageA(Item(d, IDC_ISIM_SHIFTS), CB_GETCOUNT, 0, 0));
              EXPECT_EQ(0, (int)::SendMessageA(Item(d, IDC_ISIM_SHIFTS), CB_GETCURSEL, 0, 0));
              d.SendMessage(WMU_REPEAT_VALUE, IDC_ISIM_DEC, 0);
              EXPECT_EQ(250.0f, system->m_pShifts[0]);

              Select(d, IDC_ISIM_COUPLINGS, 0);
              EXPECT_EQ("Coupling Constant AB", TextOf(Item(d, IDC_ISIM_LABEL)));
              EXPECT_EQ("5.0", TextOf(Item(d, IDC_ISIM_VALUE)));
              ::SetWindowTextA(Item(d, IDC_ISIM_VALUE), "12.5");
              Press(d, IDC_ISIM_APPLY);
              EXPECT_EQ(std::vector<std::string>{"J(A,B)=12.500"}, ComboItems(Item(d, IDC_ISIM_COUPLINGS)));
              d.SendMessage(WM_COMMAND, IDOK, 0);
            }));
  EXPECT_EQ(12.5, system->m_ppCoupling[0][1]);
  EXPECT_EQ(250.0f, system->m_pShifts[0]);
}

TEST_F(SimulationDialogsTest, FidSimulationMakesTheSpectrumOfItsTable) {
  // The defaults: 16384 complex points.
  CFidSimulationDialog defaults(m_doc);
  EXPECT_EQ(IDOK, Run(defaults, [&](CDialog& d) {
              EXPECT_EQ(2, static_cast<CFidSimulationDialog&>(d).GetGrid().GetRowCount());
              EXPECT_EQ("Freq.", std::string(static_cast<CFidSimulationDialog&>(d).GetGrid().GetItemText(0, 0)));
              d.SendMessage(WM_COMMAND, IDOK, 0);
            }));
  ASSERT_EQ(1, m_doc.GetSpectrumCount());
  EXPECT_EQ(32768, m_doc.GetCurrentSpectrum()->m_paramsA.td);
  EXPECT_EQ(2000.0, m_doc.GetCurrentSpectrum()->m_paramsA.sw);

  // Enter in "Number of Signals" after typing 3: four rows; the table's
  // values make the FID.
  CFidSimulationDialog dlg(m_doc);
  EXPECT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              CGridCtrl& grid = static_cast<CFidSimulationDialog&>(d).GetGrid();
              HWND hSignals = Item(d, IDC_FSIM_SIGNALS);
              ::SetFocus(hSignals);
              ::SetWindowTextA(hSignals, "3");
              ::SetWindowTextA(Item(d, IDC_FSIM_POINTS), "64");
              PostKey(hSignals, VK_RETURN);
              PumpPending();
              EXPECT_TRUE(::IsWindow(d.m_hWnd)) << "Enter is taken by the count";
              EXPECT_EQ(4, grid.GetRowCount());
              for (int r = 1; r <= 3; r++)
                grid.SetItemText(r, 1, "1");
              grid.SetItemText(2, 2, "90");
              d.SendMessage(WM_COMMAND, IDOK, 0);
            }));
  ASSERT_EQ(2, m_doc.GetSpectrumCount());
  const CSpectrum* s = m_doc.GetCurrentSpectrum();
  ASSERT_EQ(128, s->m_paramsA.td);
  // Three signals at 0 Hz on the axis, one turned by 90 degrees: the first
  // point is (2, 1).
  EXPECT_NEAR(2.0, s->m_pData[0], 1e-4);
  EXPECT_NEAR(1.0, s->m_pData[1], 1e-4);

  // Bad values: a prompt, the dialog stays open, nothing is added.
  struct Case {
    int nID;
    const char* text;
  };
  for (const Case& c : {Case{IDC_FSIM_POINTS, "0"}, Case{IDC_FSIM_SW, "0"}, Case{IDC_FSIM_SIGNALS, "-1"},
                        Case{IDC_FSIM_GRID, "1e999"}}) {
    CFidSimulationDialog bad(m_doc);
    m_messageBoxes.clear();
    EXPECT_EQ(IDCANCEL, Run(bad, [&](CDialog& d) {
                if (c.nID == IDC_FSIM_GRID)
                  static_cast<CFidSimulationDialog&>(d).GetGrid().SetItemText(1, 0, c.text);
                else
                  ::SetWindowTextA(Item(d, c.nID), c.text);
                d.SendMessage(WM_COMMAND, IDOK, 0);
                EXPECT_TRUE(::IsWindow(d.m_hWnd)) << c.nID;
                d.SendMessage(WM_COMMAND, IDCANCEL, 0);
              }));
    EXPECT_EQ(1u, m_messageBoxes.size()) << c.nID;
  }
  EXPECT_EQ(2, m_doc.GetSpectrumCount());
}

}  // namespace
