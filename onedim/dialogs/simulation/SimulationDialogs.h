// The dialogs of the spin simulation: the Simulation dialog that edits a
// spectrum's spin systems, the Chemical Shift and Coupling Constant dialogs
// its spin diagram opens, the Interactive Simulation dialog that steps one
// value and recomputes at once; and the Fid Simulation dialog.
#pragma once

#include <map>
#include <vector>

#include "controls/NotifyGridCtrl.h"
#include "controls/RepeatButton.h"
#include "framework/base/String.h"
#include "framework/win/Controls.h"
#include "framework/win/Dialog.h"
#include "framework/win/GdiObject.h"
#include "onedim/dialogs/simulation/SpinDiagram.h"
#include "resources/BrivaneRes.h"

class CBrivaneProDoc;
class CSpectrum;
class CSpinSystem;

class CSimulationDialog : public CDialog {
 public:
  enum { IDD = IDD_SIMULATION, MaxGroups = 10 };
  // The spectrum's first system is the one edited first; the spectrum holds
  // at least one.
  explicit CSimulationDialog(CSpectrum& spectrum, CWnd* pParent = nullptr);

  CSpinSystem* GetCurrentSystem() const { return m_pSystem; }
  CGridCtrl& GetGrid() { return m_Grid; }
  CSpinDiagram& GetDiagram() { return m_Diagram; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnGroupsChanged();
  void OnUnitsChanged();
  void OnSubsystemChanged();
  void OnAddSubsystem();
  void OnLineShapeChanged();
  void OnLoadParam();
  LRESULT OnCellEdited(WPARAM, LPARAM);

  // The whole dialog from the current system; the subsystem combo is left
  // alone.
  void Fill();
  // Rows and columns for nGroups groups, headings and read-only cells.
  void LayoutGrid(int nGroups);
  void FillGrid();
  // The dialog into the current system (Hz whatever the units shown).
  void Store();
  // A shift or coupling that is not a finite number is named, with the
  // focus put on it; TRUE when every one is.
  BOOL CheckValues();
  int GetGroupCount() const;
  double GetSpectrometerFrequency();

  // Values shown in ppm are rounded for display; each remembers its Hz
  // value, so that a switch of units and back, or OK, loses nothing while
  // its text and the spectrometer frequency are left as they were. Keys:
  // control ids, or -(row) for the grid's shifts.
  void ShowConverted(int nKey, double dHz, double dSf, LPCSTR pszFormat);
  double ReadHz(int nKey, const CString& strText, double dSf) const;
  CString GetKeyText(int nKey);
  void SetKeyText(int nKey, LPCSTR pszText);

  CSpectrum& m_Spectrum;
  CSpinSystem* m_pSystem;
  int m_nUnits;  // what the shifts and window are shown in now: 0 Hz, 1 ppm
  struct CConverted {
    CString strShown;
    double dHz;
    double dSf;
  };
  std::map<int, CConverted> m_Converted;
  CComboBox m_Groups;
  CComboBox m_Units;
  CComboBox m_Subsystem;
  CComboBox m_LineShape;
  CNotifyGridCtrl m_Grid;
  CSpinDiagram m_Diagram;

  DECLARE_MESSAGE_MAP()
};

class CChemicalShiftDialog : public CDialog {
 public:
  enum { IDD = IDD_CHEMICAL_SHIFT };
  explicit CChemicalShiftDialog(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

  CString m_strGroup;  // the group's letter
  int m_nSpins = 0;
  double m_dShift = 0.0;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
};

class CCouplingConstantDialog : public CDialog {
 public:
  enum { IDD = IDD_COUPLING_CONSTANT };
  explicit CCouplingConstantDialog(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

  double m_dCoupling = 0.0;  // Hz

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
};

class CInteractiveSimulationDialog : public CDialog {
 public:
  enum { IDD = IDD_INTERACTIVE_SIMULATION };
  CInteractiveSimulationDialog(CBrivaneProDoc& doc, CWnd* pParent = nullptr);

  CSpinSystem* GetCurrentSystem() const { return m_pSystem; }

 protected:
  BOOL OnInitDialog() override;
  void OnShiftSelected();
  void OnCouplingSelected();
  void OnSubsystemChanged();
  void OnApply();
  LRESULT OnRepeat(WPARAM wParam, LPARAM);

  void FillCombos();
  // The selected shift or coupling becomes dValue; the combos show it and
  // the spectrum is recomputed.
  void SetValue(double dValue);
  void ShowSelection();

  CBrivaneProDoc& m_Doc;
  CSpinSystem* m_pSystem;
  BOOL m_bCoupling;  // the value stepped is a coupling, not a shift
  int m_nShift;      // group of the shift
  int m_nP, m_nQ;    // groups of the coupling, p < q
  CComboBox m_Shifts;
  CComboBox m_Couplings;
  CComboBox m_Subsystem;
  CRepeatButton m_Inc;
  CRepeatButton m_Dec;
  CFont m_BoldFont;

  DECLARE_MESSAGE_MAP()
};

class CFidSimulationDialog : public CDialog {
 public:
  enum { IDD = IDD_FID_SIMULATION, MaxSignals = 1000, MaxPoints = 8 * 1024 * 1024 };
  explicit CFidSimulationDialog(CBrivaneProDoc& doc, CWnd* pParent = nullptr);

  int m_nSignals;
  int m_nPoints;  // complex points
  float m_fOperatingFrequency;
  float m_fSpectralWidth;

  CGridCtrl& GetGrid() { return m_Grid; }
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;

  CBrivaneProDoc& m_Doc;
  CGridCtrl m_Grid;
};
