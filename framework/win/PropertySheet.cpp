#include "framework/win/PropertySheet.h"

#include <algorithm>

#include "framework/win/CommonControls.h"
#include "framework/win/PropertyPage.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)
IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate) {
  if (nIDCaption != 0) m_strCaption = AfxLoadString(nIDCaption);
}

CPropertyPage::CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption) : CDialog(lpszTemplateName) {
  if (nIDCaption != 0) m_strCaption = AfxLoadString(nIDCaption);
}

INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  // Bind the page object to its window, then initialise it as a dialog.
  const PROPSHEETPAGEA* psp = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
  CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(psp->lParam);
  if (pPage == nullptr || !pPage->SubclassWindow(hWnd)) return TRUE;
  BOOL bResult = (BOOL)pPage->HandleInitDialog(wParam, lParam);
  pPage->SnapshotControls();
  return bResult;
}

BOOL CPropertyPage::OnInitDialog() { return CDialog::OnInitDialog(); }

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive)
    m_bFirstSetActive = FALSE;  // OnInitDialog has just filled the controls
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
  if (!UpdateData(TRUE)) return FALSE;  // the refused field has the focus
  m_bExchanged = TRUE;
  return TRUE;
}

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::OnReset() {
  // Cancel: the members go back to what they were when the page opened.
  if (m_bExchanged) {
    RestoreControls();
    UpdateData(TRUE);
    m_bExchanged = FALSE;
  }
  OnCancel();
}

BOOL CPropertyPage::OnWizardFinish() { return OnKillActive(); }

void CPropertyPage::SetModified(BOOL bChanged) {
  if (m_pSheet == nullptr || m_pSheet->m_hWnd == nullptr) return;
  m_pSheet->SendMessage(bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd);
}

void CPropertyPage::SnapshotControls() {
  m_snapshot.clear();
  for (HWND hWnd = ::GetTopWindow(m_hWnd); hWnd != nullptr; hWnd = ::GetNextWindow(hWnd, GW_HWNDNEXT)) {
    char cls[32] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    ControlState state = {::GetDlgCtrlID(hWnd), CString(), 0};
    if (lstrcmpiA(cls, "Edit") == 0) {
      CWnd(hWnd).GetWindowText(state.strText);
    } else if (lstrcmpiA(cls, "Button") == 0) {
      state.nValue = ::SendMessageA(hWnd, BM_GETCHECK, 0, 0);
    } else if (lstrcmpiA(cls, "ComboBox") == 0) {
      state.nValue = ::SendMessageA(hWnd, CB_GETCURSEL, 0, 0);
      CWnd(hWnd).GetWindowText(state.strText);
    } else if (lstrcmpiA(cls, "ListBox") == 0) {
      state.nValue = ::SendMessageA(hWnd, LB_GETCURSEL, 0, 0);
    } else if (lstrcmpiA(cls, TRACKBAR_CLASSA) == 0) {
      state.nValue = ::SendMessageA(hWnd, TBM_GETPOS, 0, 0);
    } else {
      continue;
    }
    m_snapshot.push_back(state);
  }
}

void CPropertyPage::RestoreControls() {
  for (const ControlState& state : m_snapshot) {
    HWND hWnd = ::GetDlgItem(m_hWnd, state.nID);
    if (hWnd == nullptr) continue;
    char cls[32] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Edit") == 0) {
      ::SetWindowTextA(hWnd, state.strText);
    } else if (lstrcmpiA(cls, "Button") == 0) {
      ::SendMessageA(hWnd, BM_SETCHECK, (WPARAM)state.nValue, 0);
    } else if (lstrcmpiA(cls, "ComboBox") == 0) {
      ::SendMessageA(hWnd, CB_SETCURSEL, (WPARAM)state.nValue, 0);
      if (state.nValue < 0) ::SetWindowTextA(hWnd, state.strText);
    } else if (lstrcmpiA(cls, "ListBox") == 0) {
      ::SendMessageA(hWnd, LB_SETCURSEL, (WPARAM)state.nValue, 0);
    } else if (lstrcmpiA(cls, TRACKBAR_CLASSA) == 0) {
      ::SendMessageA(hWnd, TBM_SETPOS, TRUE, state.nValue);
    }
  }
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  LRESULT result = 0;
  switch (pNMHDR->code) {
    case PSN_SETACTIVE:
      result = OnSetActive() ? 0 : -1;
      break;
    case PSN_KILLACTIVE:
      result = OnKillActive() ? FALSE : TRUE;
      break;
    case PSN_APPLY:
      result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
      if (m_pSheet != nullptr && result == PSNRET_NOERROR) m_pSheet->SetResult(IDOK);
      break;
    case PSN_RESET:
      OnReset();
      if (m_pSheet != nullptr) m_pSheet->SetResult(IDCANCEL);
      break;
    case PSN_QUERYCANCEL:
      result = OnQueryCancel() ? FALSE : TRUE;
      break;
    case PSN_WIZNEXT:
      result = OnWizardNext();
      break;
    case PSN_WIZBACK:
      result = OnWizardBack();
      break;
    case PSN_WIZFINISH:
      result = OnWizardFinish() ? FALSE : TRUE;
      if (m_pSheet != nullptr && result == FALSE) m_pSheet->SetResult(ID_WIZFINISH);
      break;
    default:
      return CDialog::OnNotify(wParam, lParam, pResult);
  }
  // The sheet reads a page's answer as a dialog's message result.
  ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
  *pResult = result;
  return TRUE;
}

CPropertySheet::CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption), m_pParentWnd(pParentWnd), m_nStartPage(iSelectPage) {}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(AfxLoadString(nIDCaption)), m_pParentWnd(pParentWnd), m_nStartPage(iSelectPage) {}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  if (pPage == nullptr || GetPageIndex(pPage) >= 0) return;
  m_pages.push_back(pPage);
  pPage->m_pSheet = this;
  if (m_hWnd != nullptr) {
    // A page added while the sheet is open gets its tab now.
    PROPSHEETPAGEA psp = pPage->m_psp;
    HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&psp);
    if (hPage != nullptr) SendMessage(PSM_ADDPAGE, 0, (LPARAM)hPage);
  }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) {
  int nPage = GetPageIndex(pPage);
  if (nPage < 0) return;
  if (m_hWnd != nullptr) SendMessage(PSM_REMOVEPAGE, (WPARAM)nPage);
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
  if (m_hWnd == nullptr) return (int)m_nStartPage;
  HWND hWndPage = (HWND)SendMessage(PSM_GETCURRENTPAGEHWND);
  for (int i = 0; i < GetPageCount(); ++i)
    if (m_pages[(size_t)i]->m_hWnd == hWndPage && hWndPage != nullptr) return i;
  return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return FALSE;
  if (m_hWnd == nullptr) {
    m_nStartPage = (UINT)nPage;
    return TRUE;
  }
  return (BOOL)SendMessage(PSM_SETCURSEL, (WPARAM)nPage);
}

void CPropertySheet::SetTitle(LPCSTR lpszText, UINT nStyle) {
  m_strCaption = lpszText;
  if (m_hWnd != nullptr) SendMessage(PSM_SETTITLEA, nStyle, (LPARAM)lpszText);
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
  if (m_pages.empty() || m_hWnd != nullptr) return -1;
  std::vector<PROPSHEETPAGEA> pages(m_pages.size());
  for (size_t i = 0; i < m_pages.size(); ++i) {
    CPropertyPage* pPage = m_pages[i];
    pPage->m_pSheet = this;
    pPage->m_bFirstSetActive = TRUE;
    pPage->m_bExchanged = FALSE;
    PROPSHEETPAGEA& psp = pages[i];
    psp = pPage->m_psp;
    psp.dwSize = PROPSHEETPAGEA_V1_SIZE;
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
  if (hWndOwner == nullptr) hWndOwner = ::GetActiveWindow();
  if (hWndOwner == nullptr) hWndOwner = CWnd::HwndOf(AfxGetMainWnd());
  while (hWndOwner != nullptr && (::GetWindowLongA(hWndOwner, GWL_STYLE) & WS_CHILD)) hWndOwner = ::GetParent(hWndOwner);

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
    if (hWnd != nullptr && hWnd != (HWND)-1) ::DestroyWindow(hWnd);
    return -1;
  }
  if (bEnableOwner) ::EnableWindow(hWndOwner, FALSE);
  m_nModalResult = IDCANCEL;  // closing the sheet by its box is a cancel
  m_bInModalLoop = TRUE;
  OnInitDialog();
  AfxRunModalSheetHook(*this);
  if (ContinueModal()) RunModalLoop();
  m_bInModalLoop = FALSE;
  if (bEnableOwner) ::EnableWindow(hWndOwner, TRUE);
  if (hWndOwner != nullptr && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hWndOwner);
  // The pages' windows go with the sheet; the objects stay the caller's.
  for (CPropertyPage* pPage : m_pages)
    if (pPage->m_hWnd != nullptr) pPage->UnsubclassWindow();
  HWND hWndSheet = UnsubclassWindow();
  ::DestroyWindow(hWndSheet);
  return m_nModalResult;
}
