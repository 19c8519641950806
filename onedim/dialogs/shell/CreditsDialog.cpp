#include "onedim/dialogs/shell/CreditsDialog.h"

#include <cstring>

#include "framework/win/UiHooks.h"
#include "resources/BrivaneRes.h"

BEGIN_MESSAGE_MAP(CCreditsDialog, CDialog)
  ON_WM_PAINT()
  ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

// The last character chooses the look: \b a picture, \t a cyan heading,
// \n a red title, \r a yellow heading; plain white text otherwise.
const char* const kCredits[CCreditsDialog::LineCount] = {
    "Brivane 2.3a\n",
    " ",
    "CREDITS_PICTURE\b",
    " ",
    "Orvandel NMR software\r",
    " ",
    "Design and programming\t",
    "The Orvandel team",
    " ",
    "Processing\t",
    "Transforms, window functions, phasing",
    "Baseline correction and prediction",
    " ",
    "Analysis\t",
    "Peaks, line fitting, integrals",
    "Couplings, referencing, relaxation",
    " ",
    "Spin simulation\t",
    "Coupled spin systems and their lines",
    " ",
    "Spectrometer files\t",
    "Twelve formats and Brivane's own",
    " ",
    "Thanks to everyone\r",
    "who sent spectra and ideas",
    " ",
    "www.orvandel.example",
};

const COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

CCreditsDialog::CCreditsDialog(CWnd* pParent) : CDialog(IDD_CREDITS, pParent) {}

CCreditsDialog::LineKind CCreditsDialog::KindOf(LPCSTR pszLine) {
  const size_t nLength = pszLine != nullptr ? std::strlen(pszLine) : 0;
  switch (nLength > 0 ? pszLine[nLength - 1] : 0) {
    case '\b':
      return linePicture;
    case '\t':
      return lineHeading;
    case '\n':
      return lineTitle;
    case '\r':
      return lineSubtitle;
    default:
      return lineText;
  }
}

LPCSTR CCreditsDialog::GetLine(int nLine) {
  return nLine >= 0 && nLine < LineCount ? kCredits[nLine] : nullptr;
}

BOOL CCreditsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_OK.SubclassDlgItem(IDOK, this)) {
    m_OK.SetIcon(IDI_HISTORY_OK);
    m_OK.SetButtonCursor(IDC_CURSOR_HAND);
  }
  // The dialog paints the area itself; the static only marks its place.
  if (CWnd* pArea = GetDlgItem(IDC_CREDITS_TEXT)) {
    pArea->GetWindowRect(&m_rcArea);
    ScreenToClient(&m_rcArea);
    pArea->ShowWindow(SW_HIDE);
  }
  m_Fonts[0].CreateFont(17, 0, 0, 0, FW_BOLD, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  m_Fonts[1].CreateFont(21, 0, 0, 0, FW_BOLD, TRUE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  m_Fonts[2].CreateFont(19, 0, 0, 0, FW_BOLD, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  m_Fonts[3].CreateFont(15, 0, 0, 0, 100, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  CClientDC dc(this);
  m_dcMemory.CreateCompatibleDC(&dc);
  if (m_dcArea.CreateCompatibleDC(&dc) && m_bmArea.CreateCompatibleBitmap(&dc, m_rcArea.Width(), m_rcArea.Height())) {
    ::SelectObject(m_dcArea.m_hDC, m_bmArea.m_hObject);
    ::SetViewportOrgEx(m_dcArea.m_hDC, -m_rcArea.left, -m_rcArea.top, nullptr);
    m_dcArea.FillSolidRect(&m_rcArea, kBlack);
  }
  m_nNextLine = 0;
  m_nRows = 0;
  SetTimer(ScrollTimer, ScrollMs);
  return TRUE;
}

void CCreditsDialog::OnOK() {
  KillTimer(ScrollTimer);
  CDialog::OnOK();
}

CFont& CCreditsDialog::FontOf(LineKind kind, COLORREF& crText) {
  switch (kind) {
    case lineHeading:
      crText = RGB(0, 255, 255);
      return m_Fonts[0];
    case lineTitle:
      crText = RGB(255, 0, 0);
      return m_Fonts[1];
    case lineSubtitle:
      crText = RGB(255, 255, 0);
      return m_Fonts[2];
    default:
      crText = RGB(255, 255, 255);
      return m_Fonts[3];
  }
}

BOOL CCreditsDialog::NextLine() {
  m_nCurrentLine = m_nNextLine;
  m_nNextLine = (m_nNextLine + 1) % LineCount;
  m_strLine = kCredits[m_nCurrentLine];
  m_nKind = KindOf(m_strLine);
  m_nRows = 0;
  if (m_nKind != linePicture) {
    static const int kHeights[] = {0, 17, 21, 19, 15};  // by LineKind
    m_nLineHeight = kHeights[m_nKind];
    return TRUE;
  }
  const CString strName = m_strLine.Left(m_strLine.GetLength() - 1);
  m_Picture.DeleteObject();
  if (!m_Picture.LoadBitmap(strName)) {
    KillTimer(ScrollTimer);
    m_strLine.Empty();
    m_nKind = lineText;
    CString strMessage;
    strMessage.Format("Could not find bitmap resource \"%s\". Be sure to assign the bitmap a QUOTED resource name",
                      (LPCSTR)strName);
    AfxMessageBox(strMessage);
    return FALSE;
  }
  BITMAP bm = {};
  m_Picture.GetBitmap(&bm);
  m_sizePicture = CSize(bm.bmWidth, bm.bmHeight);
  return TRUE;
}

void CCreditsDialog::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != ScrollTimer) {
    CDialog::OnTimer(nIDEvent);
    return;
  }
  // A line, text or picture, is followed by the next once all its rows
  // have scrolled in; after the last line the first comes again.
  const int nHeight = m_nKind == linePicture ? m_sizePicture.cy : m_nLineHeight;
  if (m_nCurrentLine < 0 || m_nRows >= nHeight) {
    m_Picture.DeleteObject();
    if (!NextLine())
      return;
  }
  m_nRows++;
  ScrollArea();
  InvalidateRect(&m_rcArea, FALSE);
  UpdateWindow();
}

void CCreditsDialog::ScrollArea() {
  if (m_bmArea.m_hObject == nullptr)
    return;
  const CRect& a = m_rcArea;
  m_dcArea.BitBlt(a.left, a.top, a.Width(), a.Height() - 1, &m_dcArea, a.left, a.top + 1, SRCCOPY);
  // The current line is drawn whole over its rows, never over itself.
  const int nRows = m_nRows < a.Height() ? m_nRows : a.Height();
  const CRect rows(a.left, a.bottom - nRows, a.right, a.bottom);
  m_dcArea.FillSolidRect(&rows, kBlack);
  PaintLine(&m_dcArea);
}

void CCreditsDialog::PaintLine(CDC* pDC) {
  const int nBottom = m_rcArea.bottom;
  if (m_nKind == linePicture) {
    if (m_Picture.m_hObject == nullptr)
      return;
    CSelectGuard bitmap(m_dcMemory, &m_Picture);
    const int x = m_rcArea.left + (m_rcArea.Width() - m_sizePicture.cx) / 2;
    pDC->BitBlt(x, nBottom - m_nRows, m_sizePicture.cx, m_nRows, &m_dcMemory, 0, 0, SRCCOPY);
    return;
  }
  COLORREF crText = 0;
  CFont& font = FontOf(m_nKind, crText);
  CSelectGuard fontGuard(*pDC, &font);
  pDC->SetTextColor(crText);
  pDC->SetBkMode(TRANSPARENT);
  // The line's top lies as many rows above the bottom as have scrolled in.
  CRect rcLine(m_rcArea.left, nBottom - m_nRows, m_rcArea.right, nBottom - m_nRows + m_nLineHeight);
  CString strText = m_strLine;
  if (m_nKind != lineText)
    strText = strText.Left(strText.GetLength() - 1);
  pDC->DrawText(strText, &rcLine, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_TOP);
}

void CCreditsDialog::OnPaint() {
  CPaintDC dc(this);
  if (m_bmArea.m_hObject != nullptr) {
    dc.BitBlt(m_rcArea.left, m_rcArea.top, m_rcArea.Width(), m_rcArea.Height(), &m_dcArea, m_rcArea.left,
              m_rcArea.top, SRCCOPY);
    return;
  }
  dc.IntersectClipRect(&m_rcArea);
  dc.FillSolidRect(&m_rcArea, kBlack);
  if (m_nCurrentLine >= 0)
    PaintLine(&dc);
}
