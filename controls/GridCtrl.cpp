// CGridCtrl: construction, the rows, columns and cells, their sizes, and the
// messages that change the grid's font and colours.
#include "controls/GridCtrl.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/win/DataExchange.h"
#include "framework/win/Dc.h"
#include "framework/win/ImageList.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/ResourceException.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_GETDLGCODE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_SETCURSOR()
  ON_WM_TIMER()
  ON_WM_CAPTURECHANGED()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SETTINGCHANGE()
  ON_WM_SETFONT()
  ON_WM_GETFONT()
  ON_WM_DESTROY()
  ON_COMMAND(ID_EDIT_CUT, OnEditCut)
  ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
  ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
  ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
  ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
  ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
  ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
  ON_NOTIFY(GVN_ENDLABELEDIT, IDC_GRID_INPLACE_EDIT, OnEndInPlaceEdit)
END_MESSAGE_MAP()

namespace {

// The font of lf at heading weight.
LOGFONT HeadingFont(const LOGFONT& lf) {
  LOGFONT bold = lf;
  bold.lfWeight = 600;
  return bold;
}

// The extent of a text in a font, on the grid's DC or the screen's.
CSize TextExtent(CWnd* pWnd, const LOGFONT& lf, LPCSTR lpszText) {
  CClientDC dc(pWnd != nullptr && pWnd->m_hWnd != nullptr ? pWnd : nullptr);
  CFont font;
  font.CreateFontIndirect(&lf);
  CSelectGuard guard(dc, &font);
  return dc.GetTextExtent(lpszText, (int)std::strlen(lpszText));
}

}  // namespace

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols) {
  RegisterGridClass();
  m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
  m_crWindowColour = ::GetSysColor(COLOR_WINDOW);
  m_cr3DFace = ::GetSysColor(COLOR_BTNFACE);
  m_crShadow = ::GetSysColor(COLOR_BTNSHADOW);
  m_crTextColour = m_crWindowText;
  m_crTextBkColour = m_crWindowColour;
  m_crBkColour = m_crShadow;
  m_crFixedTextColour = m_crWindowText;
  m_crFixedBkColour = m_cr3DFace;
  m_crGridColour = RGB(0, 0, 0);
  ReadWheelScrollLines();

  NONCLIENTMETRICSA ncm = {};
  ncm.cbSize = sizeof(ncm);
  ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
  m_Logfont = ncm.lfMessageFont;
  // Columns given before the window has its font get a width from this font
  // already; the row height stays at its first value until then.
  CClientDC dc(nullptr);
  CFont font;
  font.CreateFontIndirect(&m_Logfont);
  {
    CSelectGuard guard(dc, &font);
    MeasureFontSizes(dc);
  }

  SetRowCount(nRows);
  SetColumnCount(nCols);
  SetFixedRowCount(nFixedRows);
  SetFixedColumnCount(nFixedCols);
  InitialiseOle();
}

CGridCtrl::~CGridCtrl() {
  for (int r = 0; r < GetRowCount(); ++r)
    for (int c = 0; c < m_nCols; ++c)
      DestroyCell(r, c);
  m_RowData.clear();
  m_rows.RemoveAll();
  m_cols.RemoveAll();
  m_nCols = 0;
  if (m_hWnd != nullptr)
    DestroyWindow();
  m_Font.DeleteObject();
  m_BoldFont.DeleteObject();
  m_PrinterFont.DeleteObject();
  if (m_bMustUninitOLE)
    ::OleUninitialize();
}

void CGridCtrl::InitialiseOle() {
  HRESULT hr = ::OleInitialize(nullptr);
  if (hr == S_OK)
    m_bMustUninitOLE = TRUE;
  else if (hr == S_FALSE)
    ::OleUninitialize();  // someone else's; only the count went up
  else
    AfxMessageBox("OLE initialization failed. Make sure that the OLE libraries are the correct version");
}

void CGridCtrl::ReadWheelScrollLines() {
  m_nRowsPerWheelNotch = 3;
  HKEY hKey = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
    return;
  char value[32] = "";
  DWORD size = sizeof(value) - 1, type = 0;
  if (::RegQueryValueExA(hKey, "WheelScrollLines", nullptr, &type, (LPBYTE)value, &size) == ERROR_SUCCESS &&
      type == REG_SZ)
    m_nRowsPerWheelNotch = std::atoi(value);
  ::RegCloseKey(hKey);
}

void CGridCtrl::RegisterGridClass() {
  WNDCLASSA wndcls;
  HINSTANCE hInst = AfxGetInstanceHandle();
  if (::GetClassInfoA(hInst, GRIDCTRL_CLASSNAME, &wndcls))
    return;
  wndcls = {};
  wndcls.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wndcls.lpfnWndProc = ::DefWindowProcA;
  wndcls.hInstance = hInst;
  wndcls.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  wndcls.lpszClassName = GRIDCTRL_CLASSNAME;
  if (!::RegisterClassA(&wndcls))
    AfxThrowResourceException();
}

void CGridCtrl::InitialiseSizes() {
  m_rows.SetCount(0, 0);
  m_rows.SetCount(GetRowCount(), m_nDefRowHeight);
  m_cols.SetCount(0, 0);
  m_cols.SetCount(m_nCols, m_nDefColWidth);
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle) {
  if (!CWnd::Create(GRIDCTRL_CLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID))
    return FALSE;
  m_DropTarget.Register(this);
  if (m_bTitleTips)
    m_TitleTip.Create(this);
  try {
    InitialiseSizes();
  } catch (const std::bad_alloc&) {
    CMemoryException e(FALSE);
    e.ReportError();
    return FALSE;
  }
  ResetScrollBars();
  return TRUE;
}

BOOL CGridCtrl::SubclassWindow(HWND hWnd) {
  if (!CWnd::SubclassWindow(hWnd))
    return FALSE;
  m_DropTarget.Register(this);
  if (m_bTitleTips && m_TitleTip.m_hWnd == nullptr)
    m_TitleTip.Create(this);
  return TRUE;
}

void CGridCtrl::PreSubclassWindow() {
  CWnd::PreSubclassWindow();
  CFont font;
  font.CreateFontIndirect(&m_Logfont);
  ApplyFont((HFONT)font.m_hObject);
  font.DeleteObject();
  ResetScrollBars();
}

void CGridCtrl::OnDestroy() {
  m_TitleTip.DestroyWindow();
  m_DropTarget.Revoke();
  Default();
}

void DDX_GridControl(CDataExchange* pDX, int nIDC, CGridCtrl& rControl) {
  if (rControl.m_hWnd != nullptr)
    return;
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (hWndCtrl == nullptr || !rControl.SubclassWindow(hWndCtrl))
    pDX->Fail();
}

// --- Cells ---

CGridCell* CGridCtrl::CreateCell(int nRow, int nCol) {
  CGridCell* pCell = new CGridCell;
  pCell->lfFont = m_Logfont;
  // A new column's cells start plain; a new row's take the format of the row above.
  if (nRow > 0 && nCol > 0 && nCol < m_nCols)
    pCell->nFormat = GetItemFormat(nRow - 1, nCol);
  return pCell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol) {
  CGridCell* pCell = GetCell(nRow, nCol);
  if (pCell == nullptr)
    return;
  SetItemState(nRow, nCol, pCell->state & ~GVIS_SELECTED);
  pCell->szText.Empty();
  delete pCell;
  m_RowData[nRow][nCol] = nullptr;
}

CGridCell* CGridCtrl::MakeCell(int nRow, int nCol) {
  if (!IsValid(nRow, nCol))
    return nullptr;
  std::vector<CGridCell*>& row = m_RowData[nRow];
  if (IsRowLazy(nRow)) {
    row.reserve(m_nCols);
    for (int c = 0; c < m_nCols; ++c)
      row.push_back(new CGridCell(m_LazyCells[c]));
  }
  return row[nCol];
}

void CGridCtrl::ResetLazyCells(int nAbove) {
  std::vector<CGridCell> cells(m_nCols);
  BOOL bSame = m_LazyCells.size() == cells.size();
  for (int c = 0; c < m_nCols; ++c) {
    cells[c].lfFont = m_Logfont;
    if (nAbove >= 0 && c > 0)
      cells[c].nFormat = GetItemFormat(nAbove, c);
    bSame = bSame && cells[c].nFormat == m_LazyCells[c].nFormat;
  }
  // Rows already waiting keep the look they have.
  if (!bSame)
    for (int r = 0; r < GetRowCount(); ++r)
      if (IsRowLazy(r))
        MakeCell(r, 0);
  m_LazyCells = std::move(cells);
}

int CGridCtrl::GetCellObjectCount() const {
  int nCount = 0;
  for (const auto& row : m_RowData)
    nCount += (int)row.size();
  return nCount;
}

void CGridCtrl::RefreshLayout() {
  ResetScrollBars();
  if (m_bAllowDraw && m_hWnd != nullptr)
    Invalidate();
}

void CGridCtrl::ResetFocusAndSelection() {
  ResetSelectedRange();
  m_idCurrentCell = CCellID();
}

// --- Rows and columns ---

BOOL CGridCtrl::SetRowCount(int nRows) {
  nRows = std::max(nRows, 0);
  const int nOld = GetRowCount();
  if (nRows == nOld)
    return TRUE;
  if (nRows < nOld) {
    if (m_idCurrentCell.row >= nRows)
      m_idCurrentCell = CCellID();
    for (int r = nRows; r < nOld; ++r)
      for (int c = 0; c < m_nCols; ++c)
        DestroyCell(r, c);
    m_RowData.resize(nRows);
    m_rows.SetCount(nRows, m_nDefRowHeight);
  } else if (m_bLazyRows) {
    ResetLazyCells(nOld - 1);
    m_RowData.resize(nRows);
    m_rows.SetCount(nRows, m_nDefRowHeight);
  } else {
    m_RowData.reserve(nRows);
    for (int r = nOld; r < nRows; ++r) {
      m_RowData.emplace_back(m_nCols, nullptr);
      for (int c = 0; c < m_nCols; ++c)
        m_RowData[r][c] = CreateCell(r, c);
    }
    m_rows.SetCount(nRows, m_nDefRowHeight);
  }
  if (m_nFixedRows > nRows)
    m_nFixedRows = nRows;
  RefreshLayout();
  return TRUE;
}

BOOL CGridCtrl::SetColumnCount(int nCols) {
  nCols = std::max(nCols, 0);
  const int nOld = m_nCols;
  if (nCols == nOld)
    return TRUE;
  if (nCols < nOld) {
    if (m_idCurrentCell.col >= nCols)
      m_idCurrentCell = CCellID();
    for (int r = 0; r < GetRowCount(); ++r) {
      if (IsRowLazy(r))
        continue;
      for (int c = nCols; c < nOld; ++c)
        DestroyCell(r, c);
      m_RowData[r].resize(nCols);
    }
  } else {
    for (int r = 0; r < GetRowCount(); ++r) {
      if (IsRowLazy(r))
        continue;
      m_RowData[r].resize(nCols, nullptr);
      for (int c = nOld; c < nCols; ++c)
        m_RowData[r][c] = CreateCell(r, c);
    }
  }
  m_nCols = nCols;
  // New columns of rows not yet made start plain, as made ones do.
  const size_t nKept = std::min(m_LazyCells.size(), (size_t)nCols);
  m_LazyCells.resize(nCols);
  for (size_t c = nKept; c < (size_t)nCols; ++c)
    m_LazyCells[c].lfFont = m_Logfont;
  m_cols.SetCount(nCols, m_nDefColWidth);
  if (m_nFixedCols > nCols)
    m_nFixedCols = nCols;
  RefreshLayout();
  return TRUE;
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows) {
  nFixedRows = std::max(nFixedRows, 0);
  if (nFixedRows > GetRowCount() && !SetRowCount(nFixedRows))
    return FALSE;
  if (m_idCurrentCell.row >= 0 && m_idCurrentCell.row < nFixedRows)
    SetFocusCell(-1, -1);
  m_nFixedRows = nFixedRows;
  RefreshLayout();
  return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols) {
  nFixedCols = std::max(nFixedCols, 0);
  if (nFixedCols > m_nCols && !SetColumnCount(nFixedCols))
    return FALSE;
  if (m_idCurrentCell.col >= 0 && m_idCurrentCell.col < nFixedCols)
    SetFocusCell(-1, -1);
  m_nFixedCols = nFixedCols;
  RefreshLayout();
  return TRUE;
}

int CGridCtrl::InsertColumn(LPCSTR lpszHeading, UINT nFormat, int nColumn) {
  if (nColumn < -1 || nColumn >= m_nCols)
    return -1;
  ResetFocusAndSelection();
  if (GetRowCount() == 0 && !SetRowCount(1))
    return -1;
  const int nCol = nColumn == -1 ? m_nCols : nColumn;
  for (int r = 0; r < GetRowCount(); ++r)
    if (!IsRowLazy(r))
      m_RowData[r].insert(m_RowData[r].begin() + nCol, CreateCell(r, nCol));
  ++m_nCols;
  m_LazyCells.insert(m_LazyCells.begin() + nCol, CGridCell());
  m_LazyCells[nCol].lfFont = m_Logfont;
  m_LazyCells[nCol].nFormat = nFormat;
  m_cols.Insert(nCol, 0);
  SetItemText(0, nCol, lpszHeading);
  for (int r = 0; r < GetRowCount(); ++r)
    if (!IsRowLazy(r))
      SetItemFormat(r, nCol, nFormat);
  const CSize size = TextExtent(this, HeadingFont(m_Logfont), lpszHeading != nullptr ? lpszHeading : "");
  SetColumnWidth(nCol, size.cx + 2 * m_nMargin);
  ResetScrollBars();
  return nCol;
}

int CGridCtrl::InsertRow(LPCSTR lpszHeading, int nRow) {
  if (nRow < -1 || nRow >= GetRowCount())
    return -1;
  ResetFocusAndSelection();
  if (m_nCols == 0 && !SetColumnCount(1))
    return -1;
  const int nNew = nRow == -1 ? GetRowCount() : nRow;
  std::vector<CGridCell*> cells(m_nCols, nullptr);
  for (int c = 0; c < m_nCols; ++c)
    cells[c] = CreateCell(nNew, c);
  m_RowData.insert(m_RowData.begin() + nNew, std::move(cells));
  m_rows.Insert(nNew, 0);
  SetItemText(nNew, 0, lpszHeading);
  const CSize size = TextExtent(this, HeadingFont(m_Logfont), lpszHeading != nullptr ? lpszHeading : "");
  SetRowHeight(nNew, size.cy + 2 * m_nMargin);
  ResetScrollBars();
  return nNew;
}

BOOL CGridCtrl::DeleteColumn(int nColumn) {
  if (nColumn < 0 || nColumn >= m_nCols)
    return FALSE;
  ResetFocusAndSelection();
  for (int r = 0; r < GetRowCount(); ++r) {
    if (IsRowLazy(r))
      continue;
    DestroyCell(r, nColumn);
    m_RowData[r].erase(m_RowData[r].begin() + nColumn);
  }
  m_cols.Remove(nColumn);
  m_LazyCells.erase(m_LazyCells.begin() + nColumn);
  --m_nCols;
  if (nColumn < m_nFixedCols)
    --m_nFixedCols;
  ResetScrollBars();
  return TRUE;
}

BOOL CGridCtrl::DeleteRow(int nRow) {
  if (nRow < 0 || nRow >= GetRowCount())
    return FALSE;
  ResetFocusAndSelection();
  for (int c = 0; c < m_nCols; ++c)
    DestroyCell(nRow, c);
  m_RowData.erase(m_RowData.begin() + nRow);
  m_rows.Remove(nRow);
  if (nRow < m_nFixedRows)
    --m_nFixedRows;
  ResetScrollBars();
  return TRUE;
}

void CGridCtrl::DeleteNonFixedRows() {
  for (int r = GetRowCount() - 1; r >= m_nFixedRows; --r)
    DeleteRow(r);
}

BOOL CGridCtrl::DeleteAllItems() {
  ResetFocusAndSelection();
  for (int r = 0; r < GetRowCount(); ++r)
    for (int c = 0; c < m_nCols; ++c)
      DestroyCell(r, c);
  m_RowData.clear();
  m_LazyCells.clear();
  m_rows.RemoveAll();
  m_cols.RemoveAll();
  m_nCols = m_nFixedRows = m_nFixedCols = 0;
  m_SelectedCells.clear();
  m_nSelectedCount = 0;
  ResetScrollBars();
  return TRUE;
}

// --- Items ---

template <typename T>
BOOL CGridCtrl::SetCellField(int nRow, int nCol, T CGridCell::*pField, const T& value) {
  CGridCell* pCell = MakeCell(nRow, nCol);
  if (pCell == nullptr)
    return FALSE;
  pCell->*pField = value;
  return TRUE;
}

template <typename T>
T CGridCtrl::GetCellField(int nRow, int nCol, T CGridCell::*pField, const T& neutral) const {
  const CGridCell* pCell = PeekCell(nRow, nCol);
  return pCell != nullptr ? pCell->*pField : neutral;
}

BOOL CGridCtrl::SetItem(const GRIDITEM* pItem) {
  CGridCell* pCell = pItem != nullptr ? MakeCell(pItem->row, pItem->col) : nullptr;
  if (pCell == nullptr)
    return FALSE;
  if (pItem->mask & GVIF_TEXT)
    pCell->szText = pItem->szText;
  if (pItem->mask & GVIF_PARAM)
    pCell->lParam = pItem->lParam;
  if (pItem->mask & GVIF_IMAGE)
    pCell->iImage = pItem->iImage;
  if (pItem->mask & GVIF_STATE)
    SetItemState(pItem->row, pItem->col, pItem->state);
  if (pItem->mask & GVIF_FORMAT)
    pCell->nFormat = pItem->nFormat;
  if (pItem->mask & GVIF_BKCLR)
    pCell->crBkClr = pItem->crBkClr;
  if (pItem->mask & GVIF_FGCLR)
    pCell->crFgClr = pItem->crFgClr;
  if (pItem->mask & GVIF_FONT)
    pCell->lfFont = pItem->lfFont;
  return TRUE;
}

BOOL CGridCtrl::GetItem(GRIDITEM* pItem) {
  const CGridCell* pCell = pItem != nullptr ? PeekCell(pItem->row, pItem->col) : nullptr;
  if (pCell == nullptr)
    return FALSE;
  if (pItem->mask & GVIF_TEXT)
    pItem->szText = GetItemText(pItem->row, pItem->col);
  if (pItem->mask & GVIF_PARAM)
    pItem->lParam = pCell->lParam;
  if (pItem->mask & GVIF_IMAGE)
    pItem->iImage = pCell->iImage;
  if (pItem->mask & GVIF_STATE)
    pItem->state = pCell->state;
  if (pItem->mask & GVIF_FORMAT)
    pItem->nFormat = pCell->nFormat;
  if (pItem->mask & GVIF_BKCLR)
    pItem->crBkClr = pCell->crBkClr;
  if (pItem->mask & GVIF_FGCLR)
    pItem->crFgClr = pCell->crFgClr;
  if (pItem->mask & GVIF_FONT)
    pItem->lfFont = pCell->lfFont;
  return TRUE;
}

BOOL CGridCtrl::SetItemText(int nRow, int nCol, LPCSTR lpszText) {
  return SetCellField(nRow, nCol, &CGridCell::szText, CString(lpszText != nullptr ? lpszText : ""));
}

CString CGridCtrl::GetItemText(int nRow, int nCol) {
  return GetCellField(nRow, nCol, &CGridCell::szText, CString());
}

BOOL CGridCtrl::SetItemData(int nRow, int nCol, LPARAM lParam) {
  return SetCellField(nRow, nCol, &CGridCell::lParam, lParam);
}

LPARAM CGridCtrl::GetItemData(int nRow, int nCol) const {
  return GetCellField(nRow, nCol, &CGridCell::lParam, (LPARAM)0);
}

BOOL CGridCtrl::SetItemImage(int nRow, int nCol, int iImage) {
  return SetCellField(nRow, nCol, &CGridCell::iImage, iImage);
}

int CGridCtrl::GetItemImage(int nRow, int nCol) const {
  return GetCellField(nRow, nCol, &CGridCell::iImage, -1);
}

BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT nState) {
  if (GetCell(nRow, nCol) == nullptr && GetItemState(nRow, nCol) == nState)
    return IsValid(nRow, nCol);  // a row not yet made stays so
  CGridCell* pCell = MakeCell(nRow, nCol);
  if (pCell == nullptr)
    return FALSE;
  const UINT nOld = pCell->state;
  pCell->state = nState;
  NoteSelectedBit(nRow, nCol, nOld, nState);
  return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const {
  return GetCellField(nRow, nCol, &CGridCell::state, 0u);
}

BOOL CGridCtrl::SetItemFormat(int nRow, int nCol, UINT nFormat) {
  return SetCellField(nRow, nCol, &CGridCell::nFormat, nFormat);
}

UINT CGridCtrl::GetItemFormat(int nRow, int nCol) const {
  return GetCellField(nRow, nCol, &CGridCell::nFormat, 0u);
}

BOOL CGridCtrl::SetItemBkColor(int nRow, int nCol, COLORREF cr) {
  return SetCellField(nRow, nCol, &CGridCell::crBkClr, cr);
}

COLORREF CGridCtrl::GetItemBkColor(int nRow, int nCol) const {
  return GetCellField(nRow, nCol, &CGridCell::crBkClr, CLR_GRID_DEFAULT);
}

BOOL CGridCtrl::SetItemFgColor(int nRow, int nCol, COLORREF cr) {
  return SetCellField(nRow, nCol, &CGridCell::crFgClr, cr);
}

COLORREF CGridCtrl::GetItemFgColor(int nRow, int nCol) const {
  return GetCellField(nRow, nCol, &CGridCell::crFgClr, CLR_GRID_DEFAULT);
}

BOOL CGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONT* plf) {
  CGridCell* pCell = plf != nullptr ? MakeCell(nRow, nCol) : nullptr;
  if (pCell == nullptr)
    return FALSE;
  pCell->lfFont = *plf;
  return TRUE;
}

const LOGFONT* CGridCtrl::GetItemFont(int nRow, int nCol) const {
  const CGridCell* pCell = PeekCell(nRow, nCol);
  return pCell != nullptr ? &pCell->lfFont : &m_Logfont;
}

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol) const {
  const CGridCell* pCell = PeekCell(nRow, nCol);
  return pCell != nullptr && (pCell->state & GVIS_READONLY) == 0;
}

BOOL CGridCtrl::IsValid(const CCellRange& range) const {
  return range.IsValid() && range.GetMaxRow() < GetRowCount() && range.GetMaxCol() < m_nCols;
}

CCellID CGridCtrl::GetNextItem(const CCellID& cell, UINT nFlags) const {
  const UINT nState = nFlags & 0xFF;
  auto has = [&](int r, int c) {
    return (GetItemState(r, c) & nState) != 0;
  };
  if ((nFlags & GVNI_BELOW) && (nFlags & GVNI_TORIGHT)) {
    const int nFirstCol = cell.col == -1 ? m_nFixedCols : cell.col + 1;
    for (int r = cell.row > 0 ? cell.row : m_nFixedRows; r < GetRowCount(); ++r)
      for (int c = nFirstCol; c < m_nCols; ++c)
        if (has(r, c))
          return CCellID(r, c);
    return CCellID();
  }
  if (!IsValid(cell))
    return CCellID();
  if (nFlags & GVNI_ABOVE) {
    for (int r = cell.row - 1; r >= 0; --r)
      if (has(r, cell.col))
        return CCellID(r, cell.col);
  } else if (nFlags & GVNI_BELOW) {
    for (int r = cell.row + 1; r < GetRowCount(); ++r)
      if (has(r, cell.col))
        return CCellID(r, cell.col);
  } else if (nFlags & GVNI_TOLEFT) {
    for (int c = cell.col - 1; c >= 0; --c)
      if (has(cell.row, c))
        return CCellID(cell.row, c);
  } else if (nFlags & GVNI_TORIGHT) {
    for (int c = cell.col + 1; c < m_nCols; ++c)
      if (has(cell.row, c))
        return CCellID(cell.row, c);
  }
  return CCellID();
}

void CGridCtrl::EnableSelection(BOOL bEnable) {
  ResetSelectedRange();
  m_bEnableSelection = bEnable;
}

void CGridCtrl::SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars) {
  m_bAllowDraw = bAllowDraw;
  if (!bAllowDraw || m_hWnd == nullptr)
    return;
  if (bResetScrollBars)
    ResetScrollBars();
  Invalidate();
}

// --- Sizes ---

CSize CGridCtrl::MeasureCell(int nRow, int nCol, CDC* pDC) {
  const CGridCell* pCell = PeekCell(nRow, nCol);
  if (pCell == nullptr || pDC == nullptr)
    return CSize(0, 0);
  CFont temp;
  CSelectGuard guard(*pDC, CellFont(pCell->lfFont, nRow < m_nFixedRows || nCol < m_nFixedCols, temp));
  CSize size = pDC->GetTextExtent(GetItemText(nRow, nCol));
  size.cx += 4 * m_nMargin;
  size.cy += 2 * m_nMargin;
  IMAGEINFO info;
  if (m_pImageList != nullptr && pCell->iImage >= 0 && m_pImageList->GetImageInfo(pCell->iImage, &info)) {
    const CRect image(info.rcImage);
    size.cx += image.Width();
    size.cy = std::max<int>(size.cy, image.Height());
  }
  return size;
}

BOOL CGridCtrl::AutoSizeColumn(int nCol) {
  if (nCol < 0 || nCol >= m_nCols)
    return FALSE;
  CClientDC dc(m_hWnd != nullptr ? this : nullptr);
  int nWidth = 0;
  for (int r = 0; r < GetRowCount(); ++r)
    nWidth = std::max<int>(nWidth, MeasureCell(r, nCol, &dc).cx);
  SetColumnWidth(nCol, nWidth);
  ResetScrollBars();
  return TRUE;
}

BOOL CGridCtrl::AutoSizeRow(int nRow) {
  if (nRow < 0 || nRow >= GetRowCount())
    return FALSE;
  CClientDC dc(m_hWnd != nullptr ? this : nullptr);
  int nHeight = 0;
  for (int c = 0; c < m_nCols; ++c)
    nHeight = std::max<int>(nHeight, MeasureCell(nRow, c, &dc).cy);
  SetRowHeight(nRow, nHeight);
  ResetScrollBars();
  return TRUE;
}

void CGridCtrl::AutoSizeColumns() {
  for (int c = 0; c < m_nCols; ++c)
    AutoSizeColumn(c);
}

void CGridCtrl::AutoSizeRows() {
  for (int r = 0; r < GetRowCount(); ++r)
    AutoSizeRow(r);
}

void CGridCtrl::AutoSize() {
  CClientDC dc(m_hWnd != nullptr ? this : nullptr);
  for (int c = 0; c < m_nCols; ++c)
    SetColumnWidth(c, 0);
  for (int r = 0; r < GetRowCount(); ++r)
    SetRowHeight(r, 0);
  for (int r = 0; r < GetRowCount(); ++r) {
    for (int c = 0; c < m_nCols; ++c) {
      const CSize size = MeasureCell(r, c, &dc);
      if (size.cx > GetColumnWidth(c))
        SetColumnWidth(c, size.cx);
      if (size.cy > GetRowHeight(r))
        SetRowHeight(r, size.cy);
    }
  }
  RefreshLayout();
}

namespace {

// Shares out the free pixels: each entry gets the same part (truncated),
// and the first entries one pixel more (or less) for the remainder.
void Stretch(CGridAxis& axis, int nFree) {
  const int nCount = axis.GetCount();
  if (nCount == 0)
    return;
  const int nEach = nFree / nCount;
  const int nExtra = (nFree < 0 ? -nFree : nFree) % nCount;
  for (int i = 0; i < nCount; ++i) {
    int nSize = axis.GetSize(i) + nEach;
    if (i < nExtra)
      nSize += nFree > 0 ? 1 : -1;
    axis.SetSize(i, std::max(nSize, 0));
  }
}

}  // namespace

void CGridCtrl::StretchColumnsToWidth() {
  if (m_hWnd == nullptr)
    return;
  CRect rect;
  GetClientRect(&rect);
  Stretch(m_cols, rect.Width() - GetVirtualWidth());
  ResetScrollBars();
}

void CGridCtrl::StretchRowsToHeight() {
  if (m_hWnd == nullptr)
    return;
  CRect rect;
  GetClientRect(&rect);
  Stretch(m_rows, rect.Height() - GetVirtualHeight());
  ResetScrollBars();
}

void CGridCtrl::StretchToFit() {
  StretchColumnsToWidth();
  StretchRowsToHeight();
  StretchColumnsToWidth();
}

// --- Font and system colours ---

void CGridCtrl::ApplyFont(HFONT hFont) {
  LOGFONT lf;
  if (hFont == nullptr || ::GetObjectA(hFont, sizeof(lf), &lf) == 0)
    return;
  m_Logfont = lf;
  for (auto& row : m_RowData)
    for (CGridCell* pCell : row)
      if (pCell != nullptr)
        pCell->lfFont = lf;
  for (CGridCell& cell : m_LazyCells)
    cell.lfFont = lf;
  m_Font.DeleteObject();
  m_Font.CreateFontIndirect(&m_Logfont);
  m_BoldFont.DeleteObject();
  CClientDC dc(m_hWnd != nullptr ? this : nullptr);
  CSelectGuard guard(dc, &m_Font);
  const TEXTMETRICA tm = MeasureFontSizes(dc);
  m_nDefRowHeight = tm.tmExternalLeading + 2 * m_nMargin + tm.tmHeight;
}

TEXTMETRICA CGridCtrl::MeasureFontSizes(CDC& dc) {
  TEXTMETRICA tm;
  dc.GetTextMetrics(&tm);
  m_nMargin = dc.GetTextExtent(" ", 1).cx;
  m_nDefColWidth = 2 * (m_nMargin + 6 * tm.tmAveCharWidth);
  return tm;
}

void CGridCtrl::OnSetFont(HFONT hFont, BOOL bRedraw) {
  ApplyFont(hFont);
  if (m_hWnd != nullptr && m_bAllowDraw)
    Invalidate();
}

CFont* CGridCtrl::CellFont(const LOGFONT& lf, BOOL bBold, CFont& temp) {
  if (std::memcmp(&lf, &m_Logfont, sizeof(LOGFONT)) == 0 && m_Font.m_hObject != nullptr) {
    if (!bBold)
      return &m_Font;
    if (m_BoldFont.m_hObject == nullptr) {
      const LOGFONT bold = HeadingFont(m_Logfont);
      m_BoldFont.CreateFontIndirect(&bold);
    }
    return &m_BoldFont;
  }
  const LOGFONT font = bBold ? HeadingFont(lf) : lf;
  temp.CreateFontIndirect(&font);
  return &temp;
}

HFONT CGridCtrl::OnGetFont() {
  return (HFONT)m_Font.m_hObject;
}

void CGridCtrl::OnSysColorChange() {
  Default();
  const COLORREF crWindowText = ::GetSysColor(COLOR_WINDOWTEXT), crWindow = ::GetSysColor(COLOR_WINDOW);
  const COLORREF cr3DFace = ::GetSysColor(COLOR_BTNFACE), crShadow = ::GetSysColor(COLOR_BTNSHADOW);
  // Only colours that still follow the system change with it.
  if (m_crTextColour == m_crWindowText)
    m_crTextColour = crWindowText;
  if (m_crFixedTextColour == m_crWindowText)
    m_crFixedTextColour = crWindowText;
  if (m_crTextBkColour == m_crWindowColour)
    m_crTextBkColour = crWindow;
  if (m_crBkColour == m_crShadow)
    m_crBkColour = crShadow;
  if (m_crFixedBkColour == m_cr3DFace)
    m_crFixedBkColour = cr3DFace;
  m_crWindowText = crWindowText;
  m_crWindowColour = crWindow;
  m_cr3DFace = cr3DFace;
  m_crShadow = crShadow;
}

void CGridCtrl::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  OnSysColorChange();
  ReadWheelScrollLines();
}
