// CRelaxationBar: the main frame's bar of the relaxation tool. Its buttons
// switch the view to picking the peak (or the integral region) whose
// intensity is followed through the document's spectra, open the
// Relaxation dialog on them, and hide the bar; its label shows the pick.
#pragma once

#include "controls/IconButton.h"
#include "controls/LabelCtrl.h"
#include "controls/SelfInitDialogBar.h"

class CCmdUI;

class CRelaxationBar : public CSelfInitDialogBar {
 public:
  BOOL InitBarControls() override;
  // After a pick: its text in the label, in blue, and both pick buttons up.
  void ShowPick(LPCSTR pszText);
  // Keys typed on the bar belong to the active view.
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void OnSelectPeak();
  void OnSelectIntegral();
  void OnCompute();
  void OnCloseBar();
  void OnUpdateButton(CCmdUI* pCmdUI);

 private:
  // The pick tool nMode of the active document, with its button held down.
  void StartPick(int nMode, CIconButton& button);

  CIconButton m_SelectPeak;
  CIconButton m_SelectIntegral;
  CIconButton m_Compute;
  CLabelCtrl m_Label;

  DECLARE_MESSAGE_MAP()
};
