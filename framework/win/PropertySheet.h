// CPropertySheet: a modal dialog of tabbed pages (or a wizard). DoModal
// returns IDOK when OK took every shown page's values, IDCANCEL when nothing
// was taken, ID_WIZFINISH when a wizard was finished.
#pragma once

#include <vector>

#include "framework/base/String.h"
#include "framework/win/Wnd.h"

// What DoModal returns when a wizard was finished.
#ifndef ID_WIZFINISH
#define ID_WIZFINISH 0x3025
#endif

class CPropertyPage;
class CTabCtrl;

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)
 public:
  CPropertySheet() = default;
  explicit CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

  void AddPage(CPropertyPage* pPage);
  void RemovePage(CPropertyPage* pPage);
  int GetPageCount() const { return (int)m_pages.size(); }
  CPropertyPage* GetPage(int nPage) const;
  int GetPageIndex(CPropertyPage* pPage) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const;
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
  void SetTitle(LPCSTR lpszText, UINT nStyle = 0);
  CTabCtrl* GetTabControl() const;
  // Presses a button of the sheet (PSBTN_OK, PSBTN_CANCEL, PSBTN_NEXT, ...).
  void PressButton(int nButton) { SendMessage(PSM_PRESSBUTTON, (WPARAM)nButton); }
  void SetWizardMode() { m_bWizard = TRUE; }
  void SetWizardButtons(DWORD dwFlags) { PostMessage(PSM_SETWIZBUTTONS, 0, (LPARAM)dwFlags); }

  virtual INT_PTR DoModal();
  // Once the sheet and its first page are up.
  virtual BOOL OnInitDialog() { return TRUE; }
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL ContinueModal() override;

 protected:
  friend  // What DoModal returns when a wizard was finished.
#ifndef ID_WIZFINISH
#define ID_WIZFINISH 0x3025
#endif

      class CPropertyPage;

  void PostNcDestroy() override {}
  // How the sheet ended, as its pages report it.
  void SetResult(int nResult) {
    m_nModalResult = nResult;
  }

  std::vector<CPropertyPage*> m_pages;
  CString m_strCaption;
  CWnd* m_pParentWnd = nullptr;
  UINT m_nStartPage = 0;
  BOOL m_bWizard = FALSE;
};
