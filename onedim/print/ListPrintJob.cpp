#include "onedim/print/ListPrintJob.h"

#include <ctime>

#include <algorithm>

#include "framework/win/CommonControls.h"
#include "framework/win/Dc.h"
#include "framework/win/PrintDialog.h"
#include "framework/win/PrintInfo.h"
#include "onedim/plot/PrintPages.h"
#include "onedim/print/ListPrintSetupDlg.h"

namespace {

// The point font of face and size for the printer.
void MakeFont(CFont& font, const CString& face, int nPoints, CDC* pDC) {
  font.DeleteObject();
  font.CreatePointFont(nPoints * 10, face, pDC);
}

// The extent of "X" in font.
CSize LetterSize(CDC* pDC, CFont& font) {
  CSelectGuard guard(*pDC, &font);
  return pDC->GetTextExtent("X", 1);
}

void Line(CDC* pDC, int x1, int y1, int x2, int y2) {
  pDC->MoveTo(x1, y1);
  pDC->LineTo(x2, y2);
}

}  // namespace

CListPrintJob::CListPrintJob()
    : m_strHeaderFace("Arial"), m_strFooterFace("Times New Roman"), m_strContentFace("Arial") {}

CListPrintJob::~CListPrintJob() = default;

BOOL CListPrintJob::OnPreparePrinting(CPrintInfo* pInfo, BOOL bNoDialog) {
  pInfo->SetMinPage(1);
  if (m_pList == nullptr || m_pList->m_hWnd == nullptr)
    return FALSE;
  CHeaderCtrl* pHeader = m_pList->GetHeaderCtrl();
  m_nColumns = pHeader != nullptr ? pHeader->GetItemCount() : 0;
  m_nItems = m_pList->GetItemCount();
  if (m_nItems <= 0 || m_nColumns <= 0)
    return FALSE;
  m_arrColumnWidths.assign(m_nColumns, 0);
  m_arrColumnFormats.assign(m_nColumns, LVCFMT_LEFT);
  m_arrColumnTitles.assign(m_nColumns, CString());
  for (int c = 0; c < m_nColumns; c++) {
    char title[129] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.pszText = title;
    column.cchTextMax = sizeof(title) - 1;
    if (!m_pList->SendMessage(LVM_GETCOLUMNA, (WPARAM)c, (LPARAM)&column))
      continue;
    m_arrColumnWidths[c] = column.cx;
    m_arrColumnFormats[c] = column.fmt & LVCFMT_JUSTIFYMASK;
    m_arrColumnTitles[c] = title;
  }
  if (m_bShowSetupDialog) {
    CListPrintSetupDlg dlg(m_pParent);
    dlg.m_options = {m_strHeader,      m_strFooter,    m_strPageFormat, m_strHeaderFace, m_strFooterFace,
                     m_strContentFace, m_nHeaderSize,  m_nFooterSize,   m_nContentSize,  m_nMarginLeft,
                     m_nMarginTop,     m_nMarginRight, m_nMarginBottom, m_bPrintGrid};
    if (dlg.DoModal() != IDOK)
      return FALSE;
    const CListPrintOptions& o = dlg.m_options;
    m_strHeader = o.strHeader;
    m_strFooter = o.strFooter;
    m_strPageFormat = o.strPageFormat;
    m_strHeaderFace = o.strHeaderFace;
    m_strFooterFace = o.strFooterFace;
    m_strContentFace = o.strContentFace;
    m_nHeaderSize = o.nHeaderSize;
    m_nFooterSize = o.nFooterSize;
    m_nContentSize = o.nContentSize;
    m_nMarginLeft = o.nMarginLeft;
    m_nMarginTop = o.nMarginTop;
    m_nMarginRight = o.nMarginRight;
    m_nMarginBottom = o.nMarginBottom;
    m_bPrintGrid = o.bPrintGrid;
  }
  return CPrintJob::OnPreparePrinting(pInfo, bNoDialog);
}

CRect CListPrintJob::PageRect(CDC* pDC, const CPrintInfo* pInfo) const {
  const int nDpiX = pDC->GetDeviceCaps(LOGPIXELSX), nDpiY = pDC->GetDeviceCaps(LOGPIXELSY);
  CRect rc = pInfo->m_rectDraw;
  rc.left += MillimetresToDevice(m_nMarginLeft, nDpiX);
  rc.top += MillimetresToDevice(m_nMarginTop, nDpiY);
  rc.right -= MillimetresToDevice(m_nMarginRight, nDpiX);
  rc.bottom -= MillimetresToDevice(m_nMarginBottom, nDpiY);
  // Margins larger than the paper leave a sliver, never a page turned inside out.
  rc.right = std::max(rc.right, rc.left + 1);
  rc.bottom = std::max(rc.bottom, rc.top + 1);
  return rc;
}

void CListPrintJob::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {
  MakeFont(m_fontContent, m_strContentFace, m_nContentSize, pDC);
  MakeFont(m_fontHeader, m_strHeaderFace, m_nHeaderSize, pDC);
  MakeFont(m_fontFooter, m_strFooterFace, m_nFooterSize, pDC);
  m_nRowHeight = LetterSize(pDC, m_fontContent).cy + 4;

  CRect rc = PageRect(pDC, pInfo);
  m_arrColumnEdges = ScaleColumnEdges(m_arrColumnWidths, rc.Width());
  rc.top += HeaderBlock(pDC, rc, 1, pInfo->GetMaxPage(), FALSE) + m_nRowHeight;
  m_nFooterHeight = FooterBlock(pDC, rc, FALSE) + 2;
  rc.bottom -= m_nFooterHeight;
  m_nRowsPerPage = ListRowsPerPage(rc.Height(), m_nRowHeight);
  pInfo->SetMaxPage(ListPageCount(m_nItems, m_nRowsPerPage));
}

int CListPrintJob::HeaderBlock(CDC* pDC, const CRect& rc, UINT nPage, UINT nPages, BOOL bDraw) {
  CSelectGuard guard(*pDC, &m_fontHeader);
  CRect rcNumber(rc.left, rc.top, rc.left, rc.top);
  if (!m_strPageFormat.IsEmpty()) {
    const CString number = FormatPageNumber(m_strPageFormat, nPage, nPages);
    rcNumber = rc;
    pDC->DrawText(number, &rcNumber, DT_CALCRECT | DT_WORDBREAK | DT_RIGHT | DT_NOPREFIX);
    // Measured from the left; the number goes to the right edge.
    rcNumber.OffsetRect(rc.right - rcNumber.right, 0);
    if (bDraw)
      pDC->DrawText(number, &rcNumber, DT_WORDBREAK | DT_RIGHT | DT_NOPREFIX);
  }
  CRect rcText(rc.left, rc.top, m_strPageFormat.IsEmpty() ? rc.right : rcNumber.left, rc.top);
  if (!m_strHeader.IsEmpty()) {
    rcText.right = std::max(rcText.right, rcText.left + 1);
    pDC->DrawText(m_strHeader, &rcText, DT_CALCRECT | DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
    if (bDraw)
      pDC->DrawText(m_strHeader, &rcText, DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
  }
  return std::max(rcNumber.Height(), rcText.Height());
}

void CListPrintJob::DrawCell(CDC* pDC, const CString& text, const CRect& rcCell, int nColumn) {
  const int nFormat = m_arrColumnFormats[nColumn];
  const UINT nAlign = nFormat == LVCFMT_CENTER ? DT_CENTER : nFormat == LVCFMT_RIGHT ? DT_RIGHT : DT_LEFT;
  CRect rc = rcCell;
  pDC->DrawText(text, &rc, nAlign | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CListPrintJob::DrawHeadings(CDC* pDC, const CRect& rc) {
  CSelectGuard guard(*pDC, &m_fontContent);
  CSelectGuard hollow(*pDC, NULL_BRUSH);
  const int y = rc.top;
  pDC->Rectangle(rc.left, y, rc.right, y + m_nRowHeight);
  for (int c = 0; c < m_nColumns; c++) {
    const CRect rcCell(rc.left + m_arrColumnEdges[c], y, rc.left + m_arrColumnEdges[c + 1], y + m_nRowHeight);
    pDC->Rectangle(&rcCell);
    DrawCell(pDC, m_arrColumnTitles[c], rcCell, c);
    Line(pDC, rcCell.left, rcCell.bottom, rcCell.left, rcCell.top);
    pDC->LineTo(rcCell.right, rcCell.top);
  }
}

int CListPrintJob::FooterBlock(CDC* pDC, const CRect& rc, BOOL bDraw) {
  if (m_strFooter.IsEmpty())
    return 0;
  CSelectGuard guard(*pDC, &m_fontFooter);
  CRect rcFooter(rc.left, rc.bottom, rc.right, rc.bottom);
  pDC->DrawText(m_strFooter, &rcFooter, DT_CALCRECT | DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
  const int nHeight = rcFooter.Height();
  if (bDraw) {
    rcFooter = CRect(rc.left, rc.bottom - nHeight, rc.right, rc.bottom);
    pDC->DrawText(m_strFooter, &rcFooter, DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
  }
  return nHeight;
}

void CListPrintJob::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  if (m_arrColumnEdges.size() != (size_t)m_nColumns + 1)
    return;  // not begun
  CRect rc = PageRect(pDC, pInfo);
  const int nOldMode = pDC->SetBkMode(TRANSPARENT);
  rc.top += HeaderBlock(pDC, rc, pInfo->m_nCurPage, pInfo->GetMaxPage(), TRUE);
  DrawHeadings(pDC, rc);
  int y = rc.top + m_nRowHeight;
  {
    CSelectGuard guard(*pDC, &m_fontContent);
    const long long nFirst = (long long)(pInfo->m_nCurPage - 1) * m_nRowsPerPage;
    for (long long nSlot = nFirst; nSlot < nFirst + m_nRowsPerPage; nSlot++) {
      for (int c = 0; c < m_nColumns; c++) {
        const CRect rcCell(rc.left + m_arrColumnEdges[c], y, rc.left + m_arrColumnEdges[c + 1], y + m_nRowHeight);
        if (nSlot < m_nItems)
          DrawCell(pDC, m_pList->GetItemText((int)nSlot, c), rcCell, c);
        if (m_bPrintGrid) {
          Line(pDC, rcCell.left, rcCell.bottom, rcCell.left, rcCell.top);
          pDC->LineTo(rcCell.right, rcCell.top);
        }
      }
      if (m_bPrintGrid)
        Line(pDC, rc.left + m_arrColumnEdges[m_nColumns], y, rc.left + m_arrColumnEdges[m_nColumns], y + m_nRowHeight);
      y += m_nRowHeight + 1;
    }
  }
  if (m_bPrintGrid)
    Line(pDC, rc.left, y, rc.right, y);
  FooterBlock(pDC, CRect(rc.left, rc.bottom - m_nFooterHeight, rc.right, rc.bottom), TRUE);
  pDC->SetBkMode(nOldMode);
}

CString LocalTimeText() {
  const time_t now = std::time(nullptr);
  const struct tm* pNow = std::localtime(&now);
  return pNow != nullptr ? CString(std::asctime(pNow)) : CString();
}
