// CBaseDialog: the base of most of the 1D program's dialogs. It paints its
// own background colour and runs either modally (DoModal) or modelessly
// (new, SetModeless(TRUE), Create): OK, Cancel and the close box then destroy
// the window, and the last window message deletes the object, so a
// modeless one lives on the heap and its creator never deletes it.
#pragma once

#include "framework/win/Dialog.h"
#include "framework/win/GdiObject.h"

class CBaseDialog : public CDialog {
  DECLARE_DYNAMIC(CBaseDialog)
 public:
  CBaseDialog();
  CBaseDialog(UINT nIDTemplate, CWnd* pParentWnd);

  void SetModeless(bool bModeless) { m_bModeless = bModeless; }
  // Takes effect at the next paint; the dialog is not repainted here.
  void SetBkColor(COLORREF crColor);

  void OnOK() override;
  void OnCancel() override;

 protected:
  void PostNcDestroy() override;
  void OnClose();
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  LRESULT OnKickIdle(WPARAM, LPARAM);

  COLORREF m_crBackground;
  bool m_bModeless = false;
  CBrush m_brBackground;

  DECLARE_MESSAGE_MAP()
};
