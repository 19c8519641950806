// The About box: product name and version, the maker's home page and
// e-mail as links, and the program's icons, on a white background; its
// Credits button scrolls the credits.
#pragma once

#include "controls/HyperlinkCtrl.h"
#include "controls/IconButton.h"
#include "framework/win/Dialog.h"
#include "framework/win/GdiObject.h"

class CAboutDialog : public CDialog {
 public:
  CAboutDialog();

  BOOL OnInitDialog() override;

 protected:
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnCredits();

 private:
  CBrush m_brWhite;
  CHyperlinkCtrl m_HomePage;
  CHyperlinkCtrl m_EMail;
  CIconButton m_Icons[3];

  DECLARE_MESSAGE_MAP()
};
