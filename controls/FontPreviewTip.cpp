#include "controls/FontPreviewTip.h"

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"

BEGIN_MESSAGE_MAP(CFontPreviewTip, CWnd)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CFontPreviewTip::CFontPreviewTip() = default;

CFontPreviewTip::~CFontPreviewTip() = default;

BOOL CFontPreviewTip::Create(CWnd* pOwner) {
  LPCSTR lpszClass = AfxRegisterWndClass(0);
  return lpszClass != nullptr && CreateEx(0, lpszClass, "", WS_POPUP | WS_BORDER, 0, 0, 0, 0, HwndOf(pOwner), nullptr);
}

void CFontPreviewTip::ShowFont(int x, int y, LPCSTR lpszFaceName) {
  if (m_hWnd == nullptr || lpszFaceName == nullptr)
    return;
  // A hidden tip shows again even for the face it showed last.
  if (m_strFaceName == lpszFaceName && IsWindowVisible())
    return;
  m_strFaceName = lpszFaceName;
  LOGFONT lf = {};
  lf.lfHeight = -18;
  lstrcpynA(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
  m_Font.DeleteObject();
  m_Font.CreateFontIndirect(&lf);
  CSize extent;
  {
    CClientDC dc(this);
    CSelectGuard font(dc, &m_Font);
    extent = dc.GetTextExtent(m_strFaceName);
  }
  SetWindowPos(&wndTop, x, y, extent.cx + 8, extent.cy + 8, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  RedrawWindow();
}

BOOL CFontPreviewTip::OnEraseBkgnd(CDC* pDC) {
  CRect rc;
  pDC->GetClipBox(&rc);
  pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_INFOBK));
  return TRUE;
}

void CFontPreviewTip::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  CSelectGuard font(dc, &m_Font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_INFOTEXT));
  dc.DrawText(m_strFaceName, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
