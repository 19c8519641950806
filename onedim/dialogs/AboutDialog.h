// The About box: product name and version, the maker's home page and
// e-mail, and the program's icons, on a white background.
#pragma once

#include "framework/win/Dialog.h"
#include "framework/win/GdiObject.h"

class CAboutDialog : public CDialog {
 public:
  CAboutDialog();

  BOOL OnInitDialog() override;

 protected:
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

 private:
  CBrush m_brWhite;

  DECLARE_MESSAGE_MAP()
};
