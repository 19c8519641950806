#include "framework/win/Dialog.h"

#include "framework/win/FrameworkRes.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

// Every message goes through the subclassed window procedure first; the
// dialog procedure only has to leave the defaults to the dialog manager.
INT_PTR CALLBACK PassiveDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

LPCDLGTEMPLATEA FindTemplate(LPCSTR lpszTemplateName) {
  HINSTANCE hInst = AfxGetResourceHandle();
  HRSRC hRes = ::FindResourceA(hInst, lpszTemplateName, (LPCSTR)RT_DIALOG);
  if (hRes == nullptr)
    return nullptr;
  HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
  return hGlobal != nullptr ? (LPCDLGTEMPLATEA)::LockResource(hGlobal) : nullptr;
}

}  // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HWND hWndParent) {
  if (lpTemplate == nullptr || m_hWnd != nullptr)
    return FALSE;
  HWND hWnd;
  {
    CWndCreationScope scope(this);
    hWnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), lpTemplate, hWndParent, &PassiveDialogProc, 0);
  }
  return hWnd != nullptr && m_hWnd == hWnd;
}

HWND CDialog::ModalOwner() const {
  HWND hWnd = CWnd::HwndOf(m_pParentWnd);
  if (hWnd == nullptr)
    hWnd = ::GetActiveWindow();
  if (hWnd == nullptr)
    hWnd = CWnd::HwndOf(AfxGetMainWnd());
  // A child window cannot own a pop-up: its top-level window does.
  while (hWnd != nullptr && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
    hWnd = ::GetParent(hWnd);
  return hWnd;
}

INT_PTR CDialog::DoModal() {
  // An object that already shows a window keeps it; it cannot run a second one.
  if (m_hWnd != nullptr)
    return -1;
  LPCDLGTEMPLATEA lpTemplate = FindTemplate(m_lpszTemplateName);
  if (lpTemplate == nullptr)
    return -1;
  HWND hWndOwner = ModalOwner();
  BOOL bEnableOwner = hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner);
  if (bEnableOwner)
    ::EnableWindow(hWndOwner, FALSE);

  // Set before creation: OnInitDialog may already end the dialog.
  m_nModalResult = -1;
  m_bInModalLoop = TRUE;
  if (CreateFromTemplate(lpTemplate, hWndOwner)) {
    if (m_bInModalLoop) {
      if (!IsWindowVisible())
        ShowWindow(SW_SHOWNORMAL);
      AfxRunModalDialogHook(*this);
    }
    if (m_bInModalLoop && m_hWnd != nullptr)
      RunModalLoop();
    // Hide before the owner is enabled again, so activation goes back to it.
    if (m_hWnd != nullptr)
      ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  m_bInModalLoop = FALSE;
  if (bEnableOwner)
    ::EnableWindow(hWndOwner, TRUE);
  if (hWndOwner != nullptr && ::GetActiveWindow() == m_hWnd)
    ::SetActiveWindow(hWndOwner);
  DestroyWindow();
  return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_nIDHelp = nIDTemplate;
  return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd) {
  m_lpszTemplateName = lpszTemplateName;
  if (pParentWnd != nullptr)
    m_pParentWnd = pParentWnd;
  HWND hWndParent = CWnd::HwndOf(m_pParentWnd);
  if (hWndParent == nullptr)
    hWndParent = CWnd::HwndOf(AfxGetMainWnd());
  return CreateFromTemplate(FindTemplate(lpszTemplateName), hWndParent);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd) {
  if (pParentWnd != nullptr)
    m_pParentWnd = pParentWnd;
  return CreateFromTemplate(lpDialogTemplate, CWnd::HwndOf(m_pParentWnd));
}

void CDialog::EndDialog(int nResult) {
  if (m_bInModalLoop)
    EndModalLoop(nResult);
  else
    ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
  if (m_lpszTemplateName != nullptr)
    ExecuteDlgInit(m_lpszTemplateName);
  return OnInitDialog();
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;  // the dialog manager focuses the first control
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;  // the refused field has the focus; the dialog stays
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || m_hWnd == nullptr ||
      (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
    return FALSE;
  // The dialog manager would take such a key for a button of its own (Break
  // for Cancel): the dialog's accelerators come first.
  if (m_hAccelTable != nullptr && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
    return TRUE;
  // Tab, arrows, Enter and Escape move between controls and press buttons.
  return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::LoadAccelTable(LPCSTR lpszResourceName) {
  m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), lpszResourceName);
  return m_hAccelTable != nullptr;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)CWnd::HwndOf(pWndCtrl), TRUE);
}

BOOL CWnd::ExecuteDlgInit(LPCSTR lpszResourceName) {
  HINSTANCE hInst = AfxGetResourceHandle();
  HRSRC hRes = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(RT_DLGINIT_ID));
  if (hRes == nullptr)
    return TRUE;  // nothing to fill
  HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
  const BYTE* p = hGlobal != nullptr ? (const BYTE*)::LockResource(hGlobal) : nullptr;
  if (p == nullptr)
    return FALSE;
  const BYTE* end = p + ::SizeofResource(hInst, hRes);
  // Records: WORD control id, WORD message (CB_ADDSTRING or LB_ADDSTRING),
  // DWORD length, then the text with its zero; a zero id ends the list.
  while (end - p >= 2) {
    WORD nIDC = (WORD)(p[0] | (p[1] << 8));
    if (nIDC == 0)
      return TRUE;
    if (end - p < 8)
      return FALSE;
    WORD message = (WORD)(p[2] | (p[3] << 8));
    DWORD length = (DWORD)p[4] | ((DWORD)p[5] << 8) | ((DWORD)p[6] << 16) | ((DWORD)p[7] << 24);
    p += 8;
    if (length == 0 || length > (DWORD)(end - p) || p[length - 1] != '\0')
      return FALSE;
    if (message == CB_ADDSTRING || message == LB_ADDSTRING)
      ::SendDlgItemMessageA(m_hWnd, nIDC, message, 0, (LPARAM)p);
    p += length;
  }
  return TRUE;
}
