// CGridCtrl: the cells going out and coming in: clipboard text, drag and
// drop, sorting by a column, printing, and the comma-separated file.
#include <algorithm>
#include <cstring>
#include <ctime>

#include "controls/GridCtrl.h"
#include "controls/grid/GridFile.h"
#include "controls/grid/GridText.h"
#include "framework/base/StdioFile.h"
#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/GdiObject.h"
#include "framework/win/ImageList.h"
#include "framework/win/OleDataObject.h"
#include "framework/win/OleDataSource.h"
#include "framework/win/PrintDialog.h"
#include "framework/win/PrintInfo.h"
#include "framework/win/UiHooks.h"

// --- Clipboard ---

COleDataSource* CGridCtrl::BuildClipboardData() {
  const CCellRange range = GetSelectedRange();
  if (!IsValid(range))
    return nullptr;
  CString cellText;  // read by the builder before the next cell is asked for
  const CString text = BuildGridClipText(range.GetRowSpan(), range.GetColSpan(), [&](int nRow, int nCol) -> LPCSTR {
    const int r = range.GetMinRow() + nRow, c = range.GetMinCol() + nCol;
    if (!(GetItemState(r, c) & GVIS_SELECTED))
      return nullptr;
    cellText = GetItemText(r, c);
    return cellText;
  });
  HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, (SIZE_T)text.GetLength() + 1);
  if (hGlobal == nullptr)
    return nullptr;
  if (char* p = static_cast<char*>(::GlobalLock(hGlobal))) {
    std::memcpy(p, (LPCSTR)text, (size_t)text.GetLength() + 1);
    ::GlobalUnlock(hGlobal);
  }
  COleDataSource* pSource = new COleDataSource;
  pSource->CacheGlobalData(CF_TEXT, hGlobal);
  return pSource;
}

void CGridCtrl::OnEditCopy() {
  if (COleDataSource* pSource = BuildClipboardData())
    pSource->SetClipboard();
}

void CGridCtrl::OnEditCut() {
  if (!m_bEditable)
    return;
  OnEditCopy();
  ClearSelectedText();
}

void CGridCtrl::ClearSelectedText() {
  if (!m_bEditable)
    return;
  ForEachSelectedCell(m_SelectedCells, [this](const CCellID& cell) {
    if (IsCellEditable(cell.row, cell.col)) {
      SetItemState(cell.row, cell.col, 0);
      SetItemText(cell.row, cell.col, "");
    }
  });
  SetModified(TRUE);
  if (m_hWnd != nullptr)
    Invalidate();
}

void CGridCtrl::OnEditPaste() {
  if (!m_bEditable)
    return;
  CCellID cell = m_idCurrentCell;
  if (!IsValid(cell))
    cell = GetTopleftNonFixedCell();
  COleDataObject data;
  if (IsValid(cell) && data.AttachClipboard())
    PasteClipboardText(cell.row, cell.col, &data);
}

void CGridCtrl::OnEditSelectAll() {
  SelectAllCells();
}

BOOL CGridCtrl::PasteClipboardText(int nRow, int nCol, COleDataObject* pDataObject) {
  // Headings take no pasted text, and neither does a read-only cell.
  if (!IsValid(nRow, nCol) || nRow < m_nFixedRows || nCol < m_nFixedCols || !IsCellEditable(nRow, nCol) ||
      pDataObject == nullptr || !pDataObject->IsDataAvailable(CF_TEXT))
    return FALSE;
  HGLOBAL hGlobal = pDataObject->GetGlobalData(CF_TEXT);
  CString text;
  const BOOL bRead = hGlobal != nullptr && CClipboard::TextFromGlobal(hGlobal, text);
  if (hGlobal != nullptr)
    ::GlobalFree(hGlobal);
  if (!bRead)
    return FALSE;
  const std::vector<std::vector<CString>> lines = SplitGridClipText(text);
  // The grid never grows: what lies beyond its last row or column is left out.
  for (size_t k = 0; k < lines.size() && nRow + (int)k < GetRowCount(); ++k) {
    const int r = nRow + (int)k;
    for (size_t m = 0; m < lines[k].size() && nCol + (int)m < m_nCols; ++m) {
      const int c = nCol + (int)m;
      if (!IsCellEditable(r, c))
        continue;
      SetItemText(r, c, lines[k][m]);
      SetItemState(r, c, GetItemState(r, c) & ~GVIS_SELECTED);
      SetModified(TRUE);
    }
  }
  if (m_hWnd != nullptr)
    Invalidate();
  return TRUE;
}

// --- Drag and drop ---

void CGridCtrl::StartDrag() {
  if (!m_bAllowDragAndDrop)
    return;
  COleDataSource* pSource = BuildClipboardData();
  if (pSource == nullptr)
    return;
  const CCellRange range = GetSelectedRange();
  SendMessageToParent(range.GetMinRow(), range.GetMinCol(), GVN_BEGINDRAG);
  m_MouseMode = MOUSE_DRAGGING;
  const DROPEFFECT effect = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
  if (effect & DROPEFFECT_MOVE)
    ClearSelectedText();
  pSource->InternalRelease();
  m_MouseMode = MOUSE_NOTHING;
}

CImageList* CGridCtrl::CreateDragImage(CPoint* pHotSpot) {
  CCellID cell = IsValid(m_LeftClickDownCell) ? m_LeftClickDownCell : m_idCurrentCell;
  CRect rect;
  if (m_hWnd == nullptr || !IsValid(cell) || !GetCellRect(cell.row, cell.col, &rect) || rect.IsRectEmpty())
    return nullptr;
  CClientDC dc(this);
  CDC memDC;
  CBitmap bitmap;
  if (!memDC.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, rect.Width(), rect.Height()))
    return nullptr;
  {
    CSelectGuard bits(memDC, &bitmap);
    const CRect image(0, 0, rect.Width(), rect.Height());
    if (cell.row < m_nFixedRows || cell.col < m_nFixedCols)
      DrawHeadingCell(&memDC, cell.row, cell.col, image, TRUE);
    else
      DrawCell(&memDC, cell.row, cell.col, image, TRUE);
  }
  CImageList* pList = new CImageList;
  if (!pList->Create(rect.Width(), rect.Height(), ILC_COLOR24, 1, 1) || pList->Add(&bitmap, (CBitmap*)nullptr) < 0) {
    delete pList;
    return nullptr;
  }
  if (pHotSpot != nullptr)
    *pHotSpot = m_LeftClickDownPoint - rect.TopLeft();
  return pList;
}

namespace {

DROPEFFECT EffectOfKeys(DWORD dwKeyState) {
  return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

}  // namespace

DROPEFFECT CGridCtrl::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  m_LastDragOverCell = CCellID();
  if (!m_bEditable || pDataObject == nullptr || !pDataObject->IsDataAvailable(CF_TEXT))
    return DROPEFFECT_NONE;
  const CCellID cell = GetCellFromPt(point);
  if (!IsValid(cell) || cell.row < m_nFixedRows || cell.col < m_nFixedCols || !IsCellEditable(cell.row, cell.col))
    return DROPEFFECT_NONE;
  m_LastDragOverCell = cell;
  SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_DROPHILITED);
  RedrawCell(cell.row, cell.col);
  return EffectOfKeys(dwKeyState);
}

DROPEFFECT CGridCtrl::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (!m_bEditable || pDataObject == nullptr || !pDataObject->IsDataAvailable(CF_TEXT))
    return DROPEFFECT_NONE;
  CCellID cell = GetCellFromPt(point);
  if (IsValid(cell) && (cell.row < m_nFixedRows || cell.col < m_nFixedCols))
    cell = CCellID();
  if (cell != m_LastDragOverCell) {
    OnDragLeave();
    if (IsValid(cell) && IsCellEditable(cell.row, cell.col)) {
      m_LastDragOverCell = cell;
      SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_DROPHILITED);
      RedrawCell(cell.row, cell.col);
    }
  }
  return IsValid(m_LastDragOverCell) ? EffectOfKeys(dwKeyState) : DROPEFFECT_NONE;
}

void CGridCtrl::OnDragLeave() {
  const CCellID cell = m_LastDragOverCell;
  m_LastDragOverCell = CCellID();
  if (IsValid(cell)) {
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GVIS_DROPHILITED);
    RedrawCell(cell.row, cell.col);
  }
}

BOOL CGridCtrl::OnDrop(COleDataObject* pDataObject, DROPEFFECT, CPoint) {
  const CCellID cell = m_LastDragOverCell;
  if (!IsValid(cell) || !IsCellEditable(cell.row, cell.col))
    return FALSE;
  m_MouseMode = MOUSE_NOTHING;
  OnDragLeave();
  return PasteClipboardText(cell.row, cell.col, pDataObject);
}

// --- Sorting ---

namespace {

// The quicksort of the rows low..high. keyOf gives a row's key, compare
// orders two keys in the wanted direction, swap exchanges two rows. The
// smaller part is sorted by recursion and the larger by the loop, so the
// depth stays logarithmic whatever the order of the rows.
template <typename Key, typename KeyOf, typename Compare, typename Swap>
void QuickSortRows(int low, int high, const KeyOf& keyOf, const Compare& compare, const Swap& swap) {
  while (low < high) {
    int lo = low, hi = high;
    const Key pivot = keyOf((low + high) / 2);
    while (lo <= hi) {
      while (lo < high && compare(keyOf(lo), pivot) < 0)
        ++lo;
      while (hi > low && compare(keyOf(hi), pivot) > 0)
        --hi;
      if (lo <= hi) {
        if (compare(keyOf(lo), keyOf(hi)) != 0)
          swap(lo, hi);
        ++lo;
        --hi;
      }
    }
    if (hi - low < high - lo) {
      QuickSortRows<Key>(low, hi, keyOf, compare, swap);
      low = lo;
    } else {
      QuickSortRows<Key>(lo, high, keyOf, compare, swap);
      high = hi;
    }
  }
}

}  // namespace

void CGridCtrl::SwapRows(int nFirst, int nSecond) {
  std::swap(m_RowData[nFirst], m_RowData[nSecond]);
  m_rows.Swap(nFirst, nSecond);
}

BOOL CGridCtrl::SortTextItems(int nCol, BOOL bAscending) {
  if (nCol < 0 || nCol >= m_nCols)
    return FALSE;
  ResetFocusAndSelection();
  const int nSign = bAscending ? 1 : -1;
  QuickSortRows<CString>(
      m_nFixedRows, GetRowCount() - 1, [&](int r) -> LPCSTR { return PeekCell(r, nCol)->szText; },
      [&](LPCSTR a, LPCSTR b) { return nSign * std::strcmp(a, b); }, [this](int a, int b) { SwapRows(a, b); });
  return TRUE;
}

BOOL CGridCtrl::SortItems(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data) {
  if (nCol < 0 || nCol >= m_nCols || pfnCompare == nullptr)
    return FALSE;
  ResetFocusAndSelection();
  const int nSign = bAscending ? 1 : -1;
  QuickSortRows<LPARAM>(
      m_nFixedRows, GetRowCount() - 1, [&](int r) { return PeekCell(r, nCol)->lParam; },
      [&](LPARAM a, LPARAM b) { return nSign * pfnCompare(a, b, data); }, [this](int a, int b) { SwapRows(a, b); });
  return TRUE;
}

// --- Printing ---

void CGridCtrl::Print() {
  CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                   this);
  if (dlg.DoModal() != IDOK || dlg.GetPrinterDC() == nullptr)
    return;
  CDC dc;
  dc.Attach(dlg.GetPrinterDC());  // the dialog's: handed back before it goes
  dc.SetPrinting(TRUE);
  const CString strTitle = AfxLoadString(AFX_IDS_APP_TITLE);
  if (dc.StartDoc(strTitle) <= 0) {
    dc.Detach();
    return;
  }
  CPrintInfo info;
  info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
  info.SetMaxPage(0);
  OnBeginPrinting(&dc, &info);
  BOOL bFailed = FALSE;
  for (UINT nPage = info.GetMinPage(); nPage <= info.GetMaxPage() && !bFailed; ++nPage) {
    info.m_nCurPage = nPage;
    dc.StartPage();
    OnPrint(&dc, &info);
    bFailed = dc.EndPage() <= 0;
  }
  OnEndPrinting(&dc, &info);
  // A grid without rows to print sends no empty job to the printer.
  if (bFailed || info.GetMaxPage() < info.GetMinPage())
    dc.AbortDoc();
  else
    dc.EndDoc();
  dc.Detach();
}

void CGridCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {
  m_PageFirstRows.clear();
  if (GetRowCount() <= m_nFixedRows)
    return;
  m_PrinterFont.DeleteObject();
  m_PrinterFont.CreateFont(-9, 0, 0, 0, 400, FALSE, FALSE, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                           CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Times New Roman");
  {
    CSelectGuard font(*pDC, &m_PrinterFont);
    m_CharSize = pDC->GetTextExtent("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ", 52);
  }
  m_CharSize.cx /= 52;
  m_nPageWidth = GetVirtualWidth() + 8 * m_CharSize.cx;
  m_nPageHeight = ::MulDiv(m_nPageWidth, pDC->GetDeviceCaps(VERTRES), pDC->GetDeviceCaps(HORZRES));
  m_nBodyHeight = m_nPageHeight - 6 * m_CharSize.cy - GetFixedRowHeight();
  // A page ends before the row that would take it past the body; a row too
  // tall for any page still gets one of its own rather than an empty page.
  m_PageFirstRows.push_back(m_nFixedRows);
  int nUsed = 0;
  for (int r = m_nFixedRows; r < GetRowCount(); ++r) {
    nUsed += GetRowHeight(r);
    if (nUsed > m_nBodyHeight && r > m_PageFirstRows.back()) {
      m_PageFirstRows.push_back(r);
      nUsed = GetRowHeight(r);
    }
  }
  pInfo->SetMaxPage((UINT)m_PageFirstRows.size());
}

void CGridCtrl::GetPageRows(int nPage, int& nFirst, int& nLast) const {
  nFirst = 0;
  nLast = -1;
  if (nPage < 1 || nPage > (int)m_PageFirstRows.size())
    return;
  nFirst = m_PageFirstRows[nPage - 1];
  nLast = nPage < (int)m_PageFirstRows.size() ? m_PageFirstRows[nPage] - 1 : GetRowCount() - 1;
}

void CGridCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  int nFirst, nLast;
  GetPageRows((int)pInfo->m_nCurPage, nFirst, nLast);
  if (nLast < nFirst)
    return;
  CSelectGuard font(*pDC, &m_PrinterFont);
  pDC->SetMapMode(MM_ANISOTROPIC);
  pDC->SetWindowExt(m_nPageWidth, m_nPageHeight);
  pDC->SetViewportExt(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
  const int nLeft = -4 * m_CharSize.cx, nBandWidth = m_nPageWidth - 8 * m_CharSize.cx;

  pDC->SetWindowOrg(nLeft, 0);
  pInfo->m_rectDraw.SetRect(0, 0, nBandWidth, 2 * m_CharSize.cy);
  PrintPageHeader(pDC, pInfo);

  pDC->SetWindowOrg(nLeft, -3 * m_CharSize.cy);
  PrintHeadingRows(pDC, pInfo);

  pDC->SetWindowOrg(nLeft, -(3 * m_CharSize.cy + GetFixedRowHeight()));
  CPen pen(PS_SOLID, 0, m_crGridColour);
  const BOOL bVert = m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH;
  const BOOL bHorz = m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH;
  int y = 0;
  for (int r = nFirst; r <= nLast; ++r) {
    const int nHeight = GetRowHeight(r);
    int x = 0;
    for (int c = 0; c < m_nCols; ++c) {
      const CRect rect(x, y, x + GetColumnWidth(c), y + nHeight);
      if (c < m_nFixedCols)
        DrawHeadingCell(pDC, r, c, rect);
      else
        DrawCell(pDC, r, c, rect);
      x = rect.right;
      CSelectGuard guard(*pDC, &pen);
      if (bVert) {
        pDC->MoveTo(x - 1, y);
        pDC->LineTo(x - 1, y + nHeight);
      }
    }
    CSelectGuard guard(*pDC, &pen);
    if (bHorz) {
      pDC->MoveTo(0, y + nHeight - 1);
      pDC->LineTo(x, y + nHeight - 1);
    }
    if (bVert) {
      pDC->MoveTo(0, y);
      pDC->LineTo(0, y + nHeight);
    }
    y += nHeight;
  }

  pDC->SetWindowOrg(nLeft, -(m_nPageHeight - 2 * m_CharSize.cy));
  pInfo->m_rectDraw.SetRect(0, 0, nBandWidth, 2 * m_CharSize.cy);
  PrintPageFooter(pDC, pInfo);
}

void CGridCtrl::PrintHeadingRows(CDC* pDC, CPrintInfo* pInfo) {
  CPen pen(PS_SOLID, 0, m_crGridColour);
  int y = 0;
  for (int r = 0; r < m_nFixedRows; ++r) {
    const int nHeight = GetRowHeight(r);
    int x = 0;
    for (int c = 0; c < m_nCols; ++c) {
      const CRect rect(x, y, x + GetColumnWidth(c), y + nHeight);
      DrawHeadingCell(pDC, r, c, rect);
      x = rect.right;
    }
    CSelectGuard guard(*pDC, &pen);
    if (r == 0 && m_nGridLines != GVL_NONE) {
      pDC->MoveTo(0, 0);
      pDC->LineTo(x, 0);
    }
    if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
      pDC->MoveTo(0, y + nHeight - 1);
      pDC->LineTo(x, y + nHeight - 1);
    }
    y += nHeight;
  }
}

namespace {

// The print font at bold weight, selected while the object lives.
class CBoldPrintFont {
 public:
  CBoldPrintFont(CDC* pDC, CFont& printFont) : m_hDC(pDC->m_hDC) {
    LOGFONT lf;
    printFont.GetLogFont(&lf);
    lf.lfWeight = 700;
    m_font.CreateFontIndirect(&lf);
    m_hOld = ::SelectObject(m_hDC, m_font.m_hObject);
  }
  ~CBoldPrintFont() { ::SelectObject(m_hDC, m_hOld); }

 private:
  HDC m_hDC;
  CFont m_font;
  HGDIOBJ m_hOld;
};

}  // namespace

void CGridCtrl::PrintPageHeader(CDC* pDC, CPrintInfo* pInfo) {
  CRect rect = pInfo->m_rectDraw;
  CBoldPrintFont font(pDC, m_PrinterFont);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(RGB(0, 0, 0));
  pDC->DrawText(AfxLoadString(AFX_IDS_APP_TITLE), &rect, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
  // The title of the window the grid is shown in: its dialog's, or further up.
  CString strTitle;
  for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr && strTitle.IsEmpty(); hWnd = ::GetParent(hWnd))
    CWnd(hWnd).GetWindowText(strTitle);
  pDC->DrawText(strTitle, &rect, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
  CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
  CSelectGuard guard(*pDC, &pen);
  pDC->MoveTo(rect.left, rect.bottom);
  pDC->LineTo(rect.right, rect.bottom);
}

void CGridCtrl::PrintPageFooter(CDC* pDC, CPrintInfo* pInfo) {
  CRect rect = pInfo->m_rectDraw;
  {
    CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
    CSelectGuard guard(*pDC, &pen);
    pDC->MoveTo(rect.left, rect.top);
    pDC->LineTo(rect.right, rect.top);
  }
  rect.top += m_CharSize.cy / 2;
  CBoldPrintFont font(pDC, m_PrinterFont);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(RGB(0, 0, 0));
  CString strPage;
  strPage.Format("Page %d of %d", (int)pInfo->m_nCurPage, (int)pInfo->GetMaxPage());
  pDC->DrawText(strPage, &rect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  char szDate[128] = "";
  const std::time_t now = std::time(nullptr);
  if (const std::tm* pNow = std::localtime(&now))
    std::strftime(szDate, sizeof(szDate), "%c", pNow);
  pDC->DrawText(szDate, -1, &rect, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
}

void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*) {
  m_PrinterFont.DeleteObject();
}

// --- The comma-separated file ---

namespace {

void ReportFileError(CFileException& e) {
  char text[512] = "";
  e.GetErrorMessage(text, sizeof(text));
  AfxMessageBox(text, MB_ICONEXCLAMATION);
}

}  // namespace

BOOL CGridCtrl::Save(LPCSTR lpszFileName) {
  CGridFileRows rows((size_t)GetRowCount(), std::vector<CString>((size_t)m_nCols));
  for (int r = 0; r < GetRowCount(); ++r)
    for (int c = 0; c < m_nCols; ++c)
      rows[(size_t)r][(size_t)c] = GetItemText(r, c);
  CString message;
  if (!SaveGridFile(lpszFileName, rows, message)) {
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    return FALSE;
  }
  return TRUE;
}

BOOL CGridCtrl::Load(LPCSTR lpszFileName) {
  CStdioFile file;
  CFileException e;
  if (!file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText, &e)) {
    ReportFileError(e);
    return FALSE;
  }
  CGridFileRows rows;
  BOOL bRead = FALSE;
  try {
    bRead = ReadGridFile(file, rows);
    file.Close();
  } catch (CFileException* pe) {
    pe->Delete();
    file.Abort();
    bRead = FALSE;
  }
  if (!bRead) {
    AfxMessageBox("Unable to load grid data", MB_ICONEXCLAMATION);
    return FALSE;  // the grid keeps what it had
  }
  const BOOL bAllowDraw = m_bAllowDraw;
  m_bAllowDraw = FALSE;
  DeleteAllItems();
  if (!rows.empty()) {
    for (const CString& heading : rows.front())
      InsertColumn(heading, DT_CENTER | DT_VCENTER | DT_SINGLELINE, -1);
    for (size_t k = 1; k < rows.size(); ++k) {
      const int r = InsertRow(rows[k][0], -1);
      for (size_t c = 1; c < rows[k].size(); ++c)
        SetItemText(r, (int)c, rows[k][c]);
    }
  }
  m_bAllowDraw = bAllowDraw;
  AutoSizeColumns();
  SetRedraw(bAllowDraw, TRUE);
  return TRUE;
}
