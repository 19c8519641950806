#include "framework/win/PropertyPage.h"

#include "framework/win/PropertySheet.h"
#include "framework/win/UiHooks.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate) {
  if (nIDCaption != 0)
    m_strCaption = AfxLoadString(nIDCaption);
}

CPropertyPage::CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption) : CDialog(lpszTemplateName) {
  if (nIDCaption != 0)
    m_strCaption = AfxLoadString(nIDCaption);
}

INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG)
    return FALSE;
  // Bind the page object to its window, then initialise it as a dialog.
  const PROPSHEETPAGEA* psp = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
  CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(psp->lParam);
  if (pPage == nullptr || !pPage->SubclassWindow(hWnd))
    return TRUE;
  BOOL bResult = (BOOL)pPage->HandleInitDialog(wParam, lParam);
  pPage->SnapshotControls();
  return bResult;
}

BOOL CPropertyPage::OnInitDialog() {
  return CDialog::OnInitDialog();
}

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive)
    m_bFirstSetActive = FALSE;  // OnInitDialog has just filled the controls
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
  if (!UpdateData(TRUE))
    return FALSE;  // the refused field has the focus
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

BOOL CPropertyPage::OnWizardFinish() {
  return OnKillActive();
}

void CPropertyPage::SetModified(BOOL bChanged) {
  if (m_pSheet == nullptr || m_pSheet->m_hWnd == nullptr)
    return;
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
    if (hWnd == nullptr)
      continue;
    char cls[32] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Edit") == 0) {
      ::SetWindowTextA(hWnd, state.strText);
    } else if (lstrcmpiA(cls, "Button") == 0) {
      ::SendMessageA(hWnd, BM_SETCHECK, (WPARAM)state.nValue, 0);
    } else if (lstrcmpiA(cls, "ComboBox") == 0) {
      ::SendMessageA(hWnd, CB_SETCURSEL, (WPARAM)state.nValue, 0);
      if (state.nValue < 0)
        ::SetWindowTextA(hWnd, state.strText);
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
      if (m_pSheet != nullptr && result == PSNRET_NOERROR)
        m_pSheet->SetResult(IDOK);
      break;
    case PSN_RESET:
      OnReset();
      if (m_pSheet != nullptr)
        m_pSheet->SetResult(IDCANCEL);
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
      if (m_pSheet != nullptr && result == FALSE)
        m_pSheet->SetResult(ID_WIZFINISH);
      break;
    default:
      return CDialog::OnNotify(wParam, lParam, pResult);
  }
  // The sheet reads a page's answer as a dialog's message result.
  ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
  *pResult = result;
  return TRUE;
}
