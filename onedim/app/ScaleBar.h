// CScaleBar: the bar docked in the main frame that places the current
// spectrum across the view and chooses the axis units: a ruler whose box
// shows which part of the view's width the spectrum takes, "Fit to screen",
// "Apply to All" (the change goes to every spectrum) and the units list.
#pragma once

#include "controls/IconButton.h"
#include "controls/SelfInitDialogBar.h"
#include "framework/win/Controls.h"
#include "onedim/view/RulerCtrl.h"

class CCmdUI;

class CScaleBar : public CSelfInitDialogBar {
 public:
  CScaleBar() = default;

  BOOL InitBarControls() override;
  // Keys typed on the bar go to the active spectrum view as well.
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // What the document shows: the ruler's box in percent, and the entry of
  // the units list (0 seconds, 1 ppm, 2 Hz, 3 points).
  void SetRulerPositions(int nLeft, int nRight) { m_Ruler.SetPositions(nLeft, nRight); }
  void SetUnitsEntry(int nEntry);
  CRulerCtrl& GetRuler() { return m_Ruler; }

  int m_bApplyToAll = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnApplyToAll();
  void OnFitToScreen();
  void OnUpdateFitToScreen(CCmdUI* pCmdUI);
  void OnUnitsChange();
  void OnUpdateUnits(CCmdUI* pCmdUI);
  LRESULT OnRulerChanged(WPARAM wParam, LPARAM lParam);

 private:
  CRulerCtrl m_Ruler;
  CIconButton m_FitButton;

  DECLARE_MESSAGE_MAP()
};
