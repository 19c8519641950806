#include "framework/win/DialogBar.h"

#include "framework/win/FrameWnd.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

BEGIN_MESSAGE_MAP(CDialogBar, CControlBar)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

namespace {
// Messages reach the bar through its subclassed procedure; the dialog
// manager's own procedure only has to leave everything to the defaults.
INT_PTR CALLBACK PassiveBarProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}
}  // namespace

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID) {
  return Create(pParentWnd, MAKEINTRESOURCEA(nIDTemplate), nStyle, nID);
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID) {
  if (pParentWnd == nullptr || m_hWnd != nullptr)
    return FALSE;
  m_dwStyle = nStyle & CBRS_ALL;
  HINSTANCE hInst = AfxGetResourceHandle();
  HRSRC hRes = ::FindResourceA(hInst, lpszTemplateName, (LPCSTR)RT_DIALOG);
  HGLOBAL hGlobal = hRes != nullptr ? ::LoadResource(hInst, hRes) : nullptr;
  LPCDLGTEMPLATEA lpTemplate = hGlobal != nullptr ? (LPCDLGTEMPLATEA)::LockResource(hGlobal) : nullptr;
  if (lpTemplate == nullptr)
    return FALSE;
  HWND hWnd;
  {
    CWndCreationScope scope(this);
    hWnd =
        ::CreateDialogIndirectParamA(hInst, lpTemplate, pParentWnd->m_hWnd, &PassiveBarProc, (LPARAM)lpszTemplateName);
  }
  if (hWnd == nullptr || m_hWnd != hWnd)
    return FALSE;
  CRect rc;
  GetWindowRect(&rc);
  m_sizeDefault = CSize(rc.Width(), rc.Height());
  // A bar is a child with the bar's id, whatever the template says.
  ModifyStyle(WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, WS_CHILD);
  SetDlgCtrlID((int)nID);
  AttachToFrame(pParentWnd);
  if (nStyle & WS_VISIBLE)
    ShowWindow(SW_SHOWNOACTIVATE);
  if (m_pDockSite != nullptr && m_pDockSite->m_hWnd != nullptr)
    m_pDockSite->PostMessage(WM_RECALCPARENT);
  return TRUE;
}

LRESULT CDialogBar::HandleInitDialog(WPARAM, LPARAM lParam) {
  // Combo and list items listed with the template.
  if (lParam != 0)
    ExecuteDlgInit(reinterpret_cast<LPCSTR>(lParam));
  return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = m_sizeDefault;
  if (bStretch) {
    if (bHorz)
      size.cx = 32767;
    else
      size.cy = 32767;
  }
  return size;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd*, BOOL bDisableIfNoHndler) {
  // The bar's own map first, then the frame's route (CControlBar::OnCmdMsg).
  UpdateDialogControls(this, bDisableIfNoHndler);
}
