#include "framework/win/PropertySheet.h"

#include <algorithm>

#include "framework/win/CommonControls.h"
#include "framework/win/PropertyPage.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption), m_pParentWnd(pParentWnd), m_nStartPage(iSelectPage) {}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(AfxLoadString(nIDCaption)), m_pParentWnd(pParentWnd), m_nStartPage(iSelectPage) {}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  if (pPage == nullptr || GetPageIndex(pPage) >= 0)
    return;
  m_pages.push_back(pPage);
  pPage->m_pSheet = this;
  if (m_hWnd != nullptr) {
    // A page added while the sheet is open gets its tab now.
    PROPSHEETPAGEA psp = pPage->m_psp;
    HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&psp);
    if (hPage != nullptr)
      SendMessage(PSM_ADDPAGE, 0, (LPARAM)hPage);
  }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) {
  int nPage = GetPageIndex(pPage);
  if (nPage < 0)
    return;
  if (m_hWnd != nullptr)
    SendMessage(PSM_REMOVEPAGE, (WPARAM)nPage);
  m_pages.erase(m_pages.begin() + nPage);
  pPage->m_pSheet = nullptr;
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  return nPage >= 0 && nPage < GetPageCount() ? m_pages[(size_t)nPage] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
  auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
  return it == m_pages.end() ? -1 : (int)(it - m_pages.begin());
}

int CPropertySheet::GetActiveIndex() const {
  if (m_hWnd == nullptr)
    return (int)m_nStartPage;
  HWND hWndPage = (HWND)SendMessage(PSM_GETCURRENTPAGEHWND);
  for (int i = 0; i < GetPageCount(); ++i)
    if (m_pages[(size_t)i]->m_hWnd == hWndPage && hWndPage != nullptr)
      return i;
  return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
  return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount())
    return FALSE;
  if (m_hWnd == nullptr) {
    m_nStartPage = (UINT)nPage;
    return TRUE;
  }
  return (BOOL)SendMessage(PSM_SETCURSEL, (WPARAM)nPage);
}

void CPropertySheet::SetTitle(LPCSTR lpszText, UINT nStyle) {
  m_strCaption = lpszText;
  if (m_hWnd != nullptr)
    SendMessage(PSM_SETTITLEA, nStyle, (LPARAM)lpszText);
}

CTabCtrl* CPropertySheet::GetTabControl() const {
  return static_cast<CTabCtrl*>(CWnd::FromHandle((HWND)SendMessage(PSM_GETTABCONTROL)));
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
  // Tab, Enter, Escape and Ctrl+Tab move within the sheet.
  return m_hWnd != nullptr && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)) &&
         ::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

BOOL CPropertySheet::ContinueModal() {
  // A modeless sheet that ended has no current page any more.
  return CWnd::ContinueModal() && m_hWnd != nullptr && SendMessage(PSM_GETCURRENTPAGEHWND) != 0;
}

INT_PTR CPropertySheet::DoModal() {
  if (m_pages.empty() || m_hWnd != nullptr)
    return -1;
  std::vector<PROPSHEETPAGEA> pages(m_pages.size());
  for (size_t i = 0; i < m_pages.size(); ++i) {
    CPropertyPage* pPage = m_pages[i];
    pPage->m_pSheet = this;
    pPage->m_bFirstSetActive = TRUE;
    pPage->m_bExchanged = FALSE;
    PROPSHEETPAGEA& psp = pages[i];
    psp = pPage->m_psp;
    // The system steps through the array by each entry's size.
    psp.dwSize = sizeof(PROPSHEETPAGEA);
    psp.dwFlags |= PSP_DEFAULT;
    psp.hInstance = AfxGetResourceHandle();
    psp.pszTemplate = pPage->m_lpszTemplateName;
    psp.pfnDlgProc = &CPropertyPage::PageDlgProc;
    psp.lParam = (LPARAM)pPage;
    if (!pPage->m_strCaption.IsEmpty()) {
      psp.dwFlags |= PSP_USETITLE;
      psp.pszTitle = pPage->m_strCaption;
    }
  }
  // The owner is disabled while the sheet is up, as for any modal dialog.
  HWND hWndOwner = CWnd::HwndOf(m_pParentWnd);
  if (hWndOwner == nullptr)
    hWndOwner = ::GetActiveWindow();
  if (hWndOwner == nullptr)
    hWndOwner = CWnd::HwndOf(AfxGetMainWnd());
  while (hWndOwner != nullptr && (::GetWindowLongA(hWndOwner, GWL_STYLE) & WS_CHILD))
    hWndOwner = ::GetParent(hWndOwner);

  PROPSHEETHEADERA psh = {};
  psh.dwSize = PROPSHEETHEADERA_V1_SIZE;
  psh.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOAPPLYNOW | (m_bWizard ? PSH_WIZARD : 0);
  psh.hwndParent = hWndOwner;
  psh.hInstance = AfxGetResourceHandle();
  psh.pszCaption = m_strCaption;
  psh.nPages = (UINT)pages.size();
  psh.nStartPage = m_nStartPage < pages.size() ? m_nStartPage : 0;
  psh.ppsp = pages.data();

  BOOL bEnableOwner = hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner);
  HWND hWnd = (HWND)::PropertySheetA(&psh);
  if (hWnd == nullptr || hWnd == (HWND)-1 || !SubclassWindow(hWnd)) {
    if (hWnd != nullptr && hWnd != (HWND)-1)
      ::DestroyWindow(hWnd);
    return -1;
  }
  if (bEnableOwner)
    ::EnableWindow(hWndOwner, FALSE);
  m_nModalResult = IDCANCEL;  // closing the sheet by its box is a cancel
  m_bInModalLoop = TRUE;
  OnInitDialog();
  AfxRunModalSheetHook(*this);
  if (ContinueModal())
    RunModalLoop();
  m_bInModalLoop = FALSE;
  if (bEnableOwner)
    ::EnableWindow(hWndOwner, TRUE);
  if (hWndOwner != nullptr && ::GetActiveWindow() == m_hWnd)
    ::SetActiveWindow(hWndOwner);
  // The pages' windows go with the sheet; the objects stay the caller's.
  for (CPropertyPage* pPage : m_pages)
    if (pPage->m_hWnd != nullptr)
      pPage->UnsubclassWindow();
  HWND hWndSheet = UnsubclassWindow();
  ::DestroyWindow(hWndSheet);
  return m_nModalResult;
}
