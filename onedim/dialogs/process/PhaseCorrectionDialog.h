// CPhaseCorrectionDialog: the modeless dialog in which two round sliders (or
// their edits) turn the zero- and first-order phase of the current spectrum
// (or of all) while the user watches; a scroll bar moves the pivot. Cancel
// gives back the data as they were when it opened.
#pragma once

#include <vector>

#include "controls/BaseDialog.h"
#include "controls/LabelCtrl.h"
#include "controls/NumericEdit.h"
#include "controls/RoundSliderCtrl.h"
#include "framework/win/CommonControls.h"
#include "framework/win/Controls.h"
#include "resources/BrivaneRes.h"

class CBrivaneProDoc;
class CSpectrum;

class CPhaseCorrectionDialog : public CBaseDialog {
 public:
  enum { IDD = IDD_PHASE_CORRECTION };
  // ppOpen, when given, points at the document's record of the open dialog;
  // it is cleared when the window goes.
  CPhaseCorrectionDialog(CBrivaneProDoc* pDoc, CWnd* pParent = nullptr, CPhaseCorrectionDialog** ppOpen = nullptr);

  // How far the first-order dial turned from nLast to nNew (both 0 ... 359):
  // a step across the zero mark counts as the short way round.
  static int TurnBetween(int nLast, int nNew);
  // An angle in degrees as a dial position, 0 ... 359.
  static int DialPosition(double dDegrees);

  double m_dPhase0 = 0.0;       // degrees
  double m_dPhase1 = 0.0;       // degrees
  double m_dAccumulated = 0.0;  // first-order phase over every turn of its dial, degrees
  int m_nLastPos = 0;           // the first-order dial's last position
  double m_dOpenPhase0 = 0.0;   // the phases at opening, for Cancel
  double m_dOpenPhase1 = 0.0;
  int m_nPivotMin = 0;  // the pivot scroll bar's range: the visible pixel span
  int m_nPivotMax = 0;
  int m_bApplyToAll = 0;
  int m_bBaseline = 0;

  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
  void OnZeroDeltaPos(NMHDR* pNMHDR, LRESULT* pResult);
  void OnFirstDeltaPos(NMHDR* pNMHDR, LRESULT* pResult);

 private:
  // The phases in the two edits, in radians, onto one spectrum.
  void ApplyPhases(CSpectrum& spectrum);
  void ApplyToCurrent();
  // Every spectrum with "Apply to All Spectra", else the current one.
  std::vector<CSpectrum*> Targets() const;
  void SetFirstOrder(double dDegrees);
  void RefreshPivotRange();
  void OnPivotScroll(UINT nSBCode, UINT nPos);
  void EndPhaseDisplay();

  CBrivaneProDoc* m_pDoc;  // not owned; outlives the dialog
  CPhaseCorrectionDialog** m_ppOpen;
  // Every spectrum's data and applied phases at opening: turning back by the
  // phases shown would leave rounding, and a moved pivot, in them.
  struct Kept {
    CSpectrum* pSpectrum;
    std::vector<float> data;
    double dPhase0, dPhase1;
  };
  std::vector<Kept> m_Kept;
  CRoundSliderCtrl m_ZeroSlider;
  CTextRoundSliderCtrl m_FirstSlider;
  CNumericEdit m_ZeroEdit, m_FirstEdit;
  CSpinButtonCtrl m_ZeroSpin, m_FirstSpin;
  CScrollBar m_Pivot;
  CLabelCtrl m_ZeroLabel, m_FirstLabel, m_PivotLabel;

  DECLARE_MESSAGE_MAP()
};
