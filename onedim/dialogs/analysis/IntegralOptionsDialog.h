// CIntegralOptionsDialog: how the integrals of the current spectrum are
// shown. The caller fills m_Options and applies them on OK; the values-above
// check and the distance bar act on the spectrum at once, and Cancel puts
// both back.
#pragma once

#include "controls/ColourPicker.h"
#include "framework/win/Dialog.h"
#include "onedim/document/BrivaneProDoc.h"

class CIntegralOptionsDialog : public CDialog {
 public:
  CIntegralOptionsDialog(CBrivaneProDoc* pDoc, CWnd* pParent);

  CIntegralOptions m_Options;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnCancel() override;
  void OnAbove();
  void OnFont();
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);

 private:
  void ShowDistance(BOOL bShow);

  CBrivaneProDoc* m_pDoc;
  CColourPicker m_Colour;
  int m_nOpenDistance = 20;
  int m_bOpenAbove = 1;

  DECLARE_MESSAGE_MAP()
};
