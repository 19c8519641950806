// The "Referencing 2D->1D Wizard": three pages that set the mouse tool the
// view picks with (none, a peak of the 1D trace, the matching peak of the
// 2D map) and keep the main window usable for those clicks.
#pragma once

#include "framework/win/PropertyPage.h"
#include "framework/win/PropertySheet.h"
#include "resources/BrivanenDRes.h"

// A page of the wizard: on activation it sets the wizard buttons and the
// mouse tool; the later pages let the main window take clicks again.
class CRefPage : public CPropertyPage {
 public:
  CRefPage(UINT nIDTemplate, int& mouseMode, int nMode, DWORD dwButtons, bool bEnableMain);
  BOOL OnSetActive() override;

 private:
  int& m_nMouseMode;
  int m_nMode;
  DWORD m_dwButtons;
  bool m_bEnableMain;
};

class CRefPage1 : public CRefPage {
 public:
  explicit CRefPage1(int& mouseMode);
};

class CRefPage2 : public CRefPage {
 public:
  explicit CRefPage2(int& mouseMode);
};

class CRefPage3 : public CRefPage {
 public:
  explicit CRefPage3(int& mouseMode);
};

class CWizardRefDlg : public CPropertySheet {
 public:
  // mouseMode: the document's mouse tool, which the pages set.
  CWizardRefDlg(int& mouseMode, CWnd* pParentWnd = nullptr);

  CRefPage1 m_page1;
  CRefPage2 m_page2;
  CRefPage3 m_page3;
};
