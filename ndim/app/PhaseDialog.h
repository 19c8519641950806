// CPhaseDialog: the modeless Phase Correction dialog of an nD document.
// Round sliders, spin buttons and edits set the zero and first order along
// the phasing dimension; the scroll bar sets the pivot, which a change of
// the first order keeps still. Every change is previewed in the phase
// views, or applied to the whole set when "Apply to nD spc." is checked;
// Apply, Enter in an edit and OK apply it.
#pragma once

#include "controls/RoundSliderCtrl.h"
#include "framework/win/CommonControls.h"
#include "framework/win/Controls.h"
#include "ndim/dialogs/BaseDialog.h"
#include "ndim/dialogs/IdleToolBar.h"
#include "resources/BrivanenDRes.h"

class CBrivanenDDoc;
class CCmdUI;

class CPhaseDialog : public nd::CBaseDialog {
  DECLARE_DYNAMIC(CPhaseDialog)
 public:
  enum { IDD = IDD_PHASE };
  explicit CPhaseDialog(CBrivanenDDoc* pDoc);
  ~CPhaseDialog() override;

  // Creates the window, modeless, over pParent.
  BOOL Create(CWnd* pParent);
  // The pivot as a pixel of the phase views and as a point of the phased
  // dimension.
  int GetPivotPixel() const { return m_nPivotPixel; }
  int GetPivotPoint() const;

  // What the sliders and spins do, for the keyboard and the tests alike.
  void MoveZeroSlider(int position);
  void MoveFirstSlider(int position);
  void SetPivotPixel(int pixel);

  void OnOK() override;
  void OnCancel() override;
  // Enter in an edit applies instead of closing.
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  BOOL OnInitDialog() override;
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
  void OnZeroSpin(NMHDR* pNotify, LRESULT* pResult);
  void OnFirstSpin(NMHDR* pNotify, LRESULT* pResult);
  void OnApply();
  BOOL OnPhaseAlong(UINT nID);
  void OnUpdatePhaseAlong(CCmdUI* pCmdUI);
  void OnUndoPhase();
  BOOL OnSendTrace(UINT nID);
  void OnClose();

  // The edits and sliders from the stored pair of the phasing dimension.
  void LoadStoredPhase();
  void SetZeroText(double zero);
  void SetFirstCaption();
  // Hides the phase views, lets the document go, ends the dialog.
  void Close();
  int PhasedCount() const;
  double ReadEdit(int nID) const;

  CBrivanenDDoc* m_pDoc;
  CIdleToolBar m_toolBar;
  CRoundSliderCtrl m_zeroSlider;
  CTextRoundSliderCtrl m_firstSlider;
  CSpinButtonCtrl m_zeroSpin;
  CSpinButtonCtrl m_firstSpin;
  CScrollBar m_pivotBar;
  float m_saved[4][2];       // the stored pairs when the dialog opened
  int m_nFirstPosition = 0;  // of the first-order slider, 0 .. 359
  double m_dFirst = 0.0;     // first order, degrees
  double m_dPrevious = 0.0;  // the first order the zero order was last kept for
  int m_nPivotPixel = 0;

  DECLARE_MESSAGE_MAP()
};
