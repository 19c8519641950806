// CDialogBar: a control bar made from a dialog template. Its controls'
// commands go to the bar's own map and then along the frame's route; the
// idle pass enables its buttons by the same route.
#pragma once

#include "framework/win/ControlBar.h"

class CDialogBar : public CControlBar {
  DECLARE_DYNAMIC(CDialogBar)
 public:
  CDialogBar() = default;

  // nStyle: window and bar styles (CBRS_TOP, ...); nID: the bar's id.
  virtual BOOL Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID);
  virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  CSize m_sizeDefault;  // the template's size

 protected:
  LRESULT HandleInitDialog(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()
};
