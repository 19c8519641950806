// CGridCtrl: the spreadsheet-like table window (window class "MFCGridCtrl")
// of the dialogs that show or edit rows of numbers. The table is a list of
// rows, each an array of one cell object per column, so it is always
// rectangular; the first fixed rows and columns are headings that never
// scroll and are never selected. Only the visible cells are ever drawn or
// measured on screen, and row and column positions come from running sums,
// so a grid of a hundred thousand rows scrolls as readily as a short one.
//
// The grid paints itself, keeps a focus cell and a selection, takes keys and
// the mouse, edits a cell in place (CGridCellEdit) and shows clipped texts in
// a title tip (ZTitleTip). It exchanges cells as tab-separated text through
// the clipboard and by drag and drop (CGridDropSite), sorts by a column,
// prints with a header and footer on each page, and saves and loads a
// comma-separated file.
#pragma once

#include <vector>

#include "controls/GridCell.h"
#include "controls/GridDropSite.h"
#include "controls/ZTitleTip.h"
#include "controls/grid/GridAxis.h"
#include "framework/win/GdiObject.h"
#include "framework/win/Wnd.h"

class CCmdUI;
class CDataExchange;
class CImageList;
class COleDataObject;
class COleDataSource;
struct CPrintInfo;

const char GRIDCTRL_CLASSNAME[] = "MFCGridCtrl";

// The id of the in-place editor, a child of the grid.
const UINT IDC_GRID_INPLACE_EDIT = 8;
// The auto-scroll timer while the mouse selects beyond the cells.
const UINT_PTR kGridAutoScrollTimer = 513;

class CGridCtrl : public CWnd {
  DECLARE_DYNCREATE(CGridCtrl)
 public:
  explicit CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
  ~CGridCtrl() override;

  // Registers "MFCGridCtrl" once per process; throws a resource exception
  // when the system refuses.
  static void RegisterGridClass();
  BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID,
              DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
  // Takes over a dialog item of the grid's class.
  BOOL SubclassWindow(HWND hWnd);

  // Rows and columns. The counts include the fixed ones.
  int GetRowCount() const { return (int)m_RowData.size(); }
  int GetColumnCount() const { return m_nCols; }
  int GetFixedRowCount() const { return m_nFixedRows; }
  int GetFixedColumnCount() const { return m_nFixedCols; }
  BOOL SetRowCount(int nRows = 10);
  BOOL SetColumnCount(int nCols = 10);
  BOOL SetFixedRowCount(int nFixedRows = 1);
  BOOL SetFixedColumnCount(int nFixedCols = 1);
  // -1 appends. The index of the new column or row, -1 for a bad index.
  int InsertColumn(LPCSTR lpszHeading, UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE, int nColumn = -1);
  int InsertRow(LPCSTR lpszHeading, int nRow = -1);
  BOOL DeleteColumn(int nColumn);
  BOOL DeleteRow(int nRow);
  void DeleteNonFixedRows();
  BOOL DeleteAllItems();

  // Sizes in pixels.
  int GetRowHeight(int nRow) const { return m_rows.GetSize(nRow); }
  int GetColumnWidth(int nCol) const { return m_cols.GetSize(nCol); }
  BOOL SetRowHeight(int nRow, int nHeight) { return m_rows.SetSize(nRow, nHeight); }
  BOOL SetColumnWidth(int nCol, int nWidth) { return m_cols.SetSize(nCol, nWidth); }
  int GetFixedRowHeight() const { return m_rows.GetOffset(m_nFixedRows); }
  int GetFixedColumnWidth() const { return m_cols.GetOffset(m_nFixedCols); }
  int GetVirtualHeight() const { return m_rows.GetTotal(); }
  int GetVirtualWidth() const { return m_cols.GetTotal(); }
  int GetDefaultRowHeight() const { return m_nDefRowHeight; }
  int GetDefaultColumnWidth() const { return m_nDefColWidth; }
  BOOL AutoSizeColumn(int nCol);
  BOOL AutoSizeRow(int nRow);
  void AutoSizeColumns();
  void AutoSizeRows();
  void AutoSize();
  void StretchColumnsToWidth();
  void StretchRowsToHeight();
  void StretchToFit();

  // Items. Each fails (FALSE, or the neutral value) outside the grid.
  BOOL SetItem(const GRIDITEM* pItem);
  BOOL GetItem(GRIDITEM* pItem);
  BOOL SetItemText(int nRow, int nCol, LPCSTR lpszText);
  virtual CString GetItemText(int nRow, int nCol);
  BOOL SetItemData(int nRow, int nCol, LPARAM lParam);
  LPARAM GetItemData(int nRow, int nCol) const;
  BOOL SetItemImage(int nRow, int nCol, int iImage);
  int GetItemImage(int nRow, int nCol) const;
  BOOL SetItemState(int nRow, int nCol, UINT nState);
  UINT GetItemState(int nRow, int nCol) const;
  BOOL SetItemFormat(int nRow, int nCol, UINT nFormat);
  UINT GetItemFormat(int nRow, int nCol) const;
  BOOL SetItemBkColor(int nRow, int nCol, COLORREF cr = CLR_GRID_DEFAULT);
  COLORREF GetItemBkColor(int nRow, int nCol) const;
  BOOL SetItemFgColor(int nRow, int nCol, COLORREF cr = CLR_GRID_DEFAULT);
  COLORREF GetItemFgColor(int nRow, int nCol) const;
  BOOL SetItemFont(int nRow, int nCol, const LOGFONT* plf);
  const LOGFONT* GetItemFont(int nRow, int nCol) const;
  BOOL IsCellEditable(int nRow, int nCol) const;
  BOOL IsCellSelected(int nRow, int nCol) const { return (GetItemState(nRow, nCol) & GVIS_SELECTED) != 0; }
  BOOL IsValid(int nRow, int nCol) const { return nRow >= 0 && nRow < GetRowCount() && nCol >= 0 && nCol < m_nCols; }
  BOOL IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
  BOOL IsValid(const CCellRange& range) const;
  // The first cell from cell, in the direction of nFlags, whose state has
  // one of nFlags' state bits; (-1,-1) when none has.
  CCellID GetNextItem(const CCellID& cell, UINT nFlags) const;

  // Grid-wide colours, flags and modes.
  void SetTextColor(COLORREF cr) { m_crTextColour = cr; }
  COLORREF GetTextColor() const { return m_crTextColour; }
  void SetTextBkColor(COLORREF cr) { m_crTextBkColour = cr; }
  COLORREF GetTextBkColor() const { return m_crTextBkColour; }
  void SetBkColor(COLORREF cr) { m_crBkColour = cr; }
  COLORREF GetBkColor() const { return m_crBkColour; }
  void SetFixedTextColor(COLORREF cr) { m_crFixedTextColour = cr; }
  COLORREF GetFixedTextColor() const { return m_crFixedTextColour; }
  void SetFixedBkColor(COLORREF cr) { m_crFixedBkColour = cr; }
  COLORREF GetFixedBkColor() const { return m_crFixedBkColour; }
  void SetGridColor(COLORREF cr) { m_crGridColour = cr; }
  COLORREF GetGridColor() const { return m_crGridColour; }
  void SetGridLines(int nWhichLines = GVL_BOTH) { m_nGridLines = nWhichLines; }
  int GetGridLines() const { return m_nGridLines; }
  void SetEditable(BOOL bEditable = TRUE) { m_bEditable = bEditable; }
  BOOL IsEditable() const { return m_bEditable; }
  void SetModified(BOOL bModified = TRUE) { m_bModified = bModified; }
  BOOL GetModified() const { return m_bModified; }
  void EnableDragAndDrop(BOOL bAllow = TRUE) { m_bAllowDragAndDrop = bAllow; }
  BOOL IsDragAndDropEnabled() const { return m_bAllowDragAndDrop; }
  void SetListMode(BOOL bEnableListMode = TRUE) { m_bListMode = bEnableListMode; }
  BOOL GetListMode() const { return m_bListMode; }
  void EnableSelection(BOOL bEnable = TRUE);
  BOOL IsSelectable() const { return m_bEnableSelection; }
  void SetHeaderSort(BOOL bSortOnClick = TRUE) { m_bSortOnClick = bSortOnClick; }
  BOOL GetHeaderSort() const { return m_bSortOnClick; }
  void SetHandleTabKey(BOOL bHandleTab = TRUE) { m_bHandleTabKey = bHandleTab; }
  BOOL GetHandleTabKey() const { return m_bHandleTabKey; }
  void SetDoubleBuffering(BOOL bBuffer = TRUE) { m_bDoubleBuffer = bBuffer; }
  BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
  void EnableTitleTips(BOOL bEnable = TRUE) { m_bTitleTips = bEnable; }
  BOOL GetTitleTips() const { return m_bTitleTips; }
  void SetRowResize(BOOL bResize = TRUE) { m_bAllowRowResize = bResize; }
  BOOL GetRowResize() const { return m_bAllowRowResize; }
  void SetColumnResize(BOOL bResize = TRUE) { m_bAllowColumnResize = bResize; }
  BOOL GetColumnResize() const { return m_bAllowColumnResize; }
  void SetImageList(CImageList* pList) { m_pImageList = pList; }
  CImageList* GetImageList() const { return m_pImageList; }
  // Switched on, the whole window is invalidated (and with
  // bResetScrollBars the scroll bars fitted to the table).
  void SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars = FALSE);
  int GetMouseMode() const { return m_MouseMode; }
  int GetSortColumn() const { return m_nSortColumn; }
  BOOL GetSortAscending() const { return m_bAscending; }
  // Lines scrolled by a notch of the wheel (-1: a page).
  int GetWheelScrollLines() const { return m_nRowsPerWheelNotch; }

  // Focus and selection.
  CCellID GetFocusCell() const { return m_idCurrentCell; }
  void SetFocusCell(CCellID cell);
  void SetFocusCell(int nRow, int nCol) { SetFocusCell(CCellID(nRow, nCol)); }
  // The bounding range of the selected cells; invalid when none is selected.
  CCellRange GetSelectedRange();
  void SetSelectedRange(const CCellRange& range, BOOL bForceRepaint = FALSE);
  void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint = FALSE);
  void ResetSelectedRange();
  void SelectAllCells();
  int GetSelectedCount() const { return m_nSelectedCount; }

  // Geometry of what is on screen.
  CCellID GetTopleftNonFixedCell() const;
  // The non-fixed cells at least partly visible; their rectangle in pRect.
  CCellRange GetVisibleNonFixedCellRange(LPRECT pRect = nullptr) const;
  BOOL IsCellVisible(int nRow, int nCol) const;
  // The cell under a client point; parts outside the cells are -1.
  CCellID GetCellFromPt(CPoint point) const;
  BOOL GetCellOrigin(int nRow, int nCol, LPPOINT p) const;
  BOOL GetCellRect(int nRow, int nCol, LPRECT pRect) const;
  void EnsureVisible(int nRow, int nCol);
  void EnsureVisible(const CCellID& cell) { EnsureVisible(cell.row, cell.col); }
  BOOL RedrawCell(int nRow, int nCol, CDC* pDC = nullptr);
  BOOL RedrawRow(int nRow);
  BOOL RedrawColumn(int nCol);
  void ResetScrollBars();

  // Clipboard and editing commands.
  virtual void ClearSelectedText();
  // The selected block as text offered for the clipboard; null when nothing is selected.
  virtual COleDataSource* BuildClipboardData();
  // Puts the text of pDataObject into the cells from (nRow, nCol) on.
  virtual BOOL PasteClipboardText(int nRow, int nCol, COleDataObject* pDataObject);
  virtual void OnEditCut();
  virtual void OnEditCopy();
  virtual void OnEditPaste();
  virtual void OnEditSelectAll();

  // Drag and drop, as the drop site asks.
  DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  void OnDragLeave();
  BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

  // Sorting of the non-fixed rows.
  BOOL SortTextItems(int nCol, BOOL bAscending);
  BOOL SortItems(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data = 0);

  // Printing through the print dialog, and its steps.
  void Print();
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

  // The comma-separated file. A failure is told the user; the grid is left
  // as it was when a file cannot be read whole.
  BOOL Save(LPCSTR lpszFileName);
  BOOL Load(LPCSTR lpszFileName);

  virtual CGridCell* CreateCell(int nRow, int nCol);
  virtual void DestroyCell(int nRow, int nCol);

  // With lazy rows on, rows that SetRowCount appends get no cell objects
  // until a field of one of their cells is set; until then each reads as a
  // new cell of its column would. For a subclass that answers GetItemText
  // from its own data, so that a very long table costs no cell per row.
  void SetLazyRows(BOOL bLazy = TRUE) { m_bLazyRows = bLazy; }
  BOOL GetLazyRows() const { return m_bLazyRows; }
  // The cell objects made so far.
  int GetCellObjectCount() const;

 protected:
  enum MouseMode {
    MOUSE_NOTHING = 0,
    MOUSE_SELECT_ALL = 1,
    MOUSE_SELECT_COL = 2,
    MOUSE_SELECT_ROW = 3,
    MOUSE_SELECT_CELLS = 4,
    MOUSE_OVER_ROW_DIVIDE = 6,
    MOUSE_SIZING_ROW = 7,
    MOUSE_OVER_COL_DIVIDE = 8,
    MOUSE_SIZING_COL = 9,
    MOUSE_PREPARE_EDIT = 10,
    MOUSE_PREPARE_DRAG = 11,
    MOUSE_DRAGGING = 12
  };

  virtual void PrintHeadingRows(CDC* pDC, CPrintInfo* pInfo);
  virtual void PrintPageHeader(CDC* pDC, CPrintInfo* pInfo);
  virtual void PrintPageFooter(CDC* pDC, CPrintInfo* pInfo);
  // A picture of the cell last pressed (or of the focus cell) as it is
  // drawn, for a drag; the caller deletes it. *pHotSpot (when given) is the
  // press point from the cell's top-left. Null when there is no such cell
  // in view.
  virtual CImageList* CreateDragImage(CPoint* pHotSpot);
  virtual void OnHeadingRowClick(CCellID cell);
  virtual void OnHeadingColumnClick(CCellID cell);
  virtual CSize MeasureCell(int nRow, int nCol, CDC* pDC);
  virtual void OnCellEdited(int nRow, int nCol, LPCSTR lpszText);
  virtual void BeginCellEdit(int nRow, int nCol, UINT nChar);
  virtual void CreateCellEditor(const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol, LPCSTR lpszText,
                                UINT nFirstChar);
  virtual void OnDraw(CDC* pDC);
  virtual BOOL DrawHeadingCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bErase = FALSE);
  virtual BOOL DrawCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bErase = FALSE);

  // The cell object; null outside the grid and in a row not yet made.
  CGridCell* GetCell(int nRow, int nCol) const {
    return IsValid(nRow, nCol) && !IsRowLazy(nRow) ? m_RowData[nRow][nCol] : nullptr;
  }
  // The cell to read: in a row not yet made, its column's new cell.
  const CGridCell* PeekCell(int nRow, int nCol) const {
    return !IsValid(nRow, nCol) ? nullptr : IsRowLazy(nRow) ? &m_LazyCells[nCol] : m_RowData[nRow][nCol];
  }
  // The cell to write, its row made first when it is not yet.
  CGridCell* MakeCell(int nRow, int nCol);
  // A made row holds one cell per column; a row not yet made, none.
  BOOL IsRowLazy(int nRow) const { return m_nCols > 0 && m_RowData[nRow].empty(); }
  // The new cells of lazy rows appended after row nAbove.
  void ResetLazyCells(int nAbove);
  // One field of a cell: FALSE, or the neutral value, outside the grid.
  template <typename T>
  BOOL SetCellField(int nRow, int nCol, T CGridCell::*pField, const T& value);
  template <typename T>
  T GetCellField(int nRow, int nCol, T CGridCell::*pField, const T& neutral) const;
  void ResetFocusAndSelection();
  // After a change of counts or sizes: scroll bars fitted, everything painted again.
  void RefreshLayout();
  // The window the grid's notifications go to: its owner, or its parent.
  HWND GetNotifyTarget() const;
  // Sends a GVN_ code with a cell to the owner, or the parent.
  LRESULT SendMessageToParent(int nRow, int nCol, int nMessage);
  // The pixel rectangle of a range of cells, from the fixed area's edge.
  BOOL GetCellRangeRect(const CCellRange& cellRange, LPRECT lpRect) const;
  CCellRange GetUnobstructedNonFixedCellRange() const;
  // Selection by the mouse: the range from the selection start to cell.
  void OnSelecting(const CCellID& currentCell);
  void SelectColumns(CCellID currentCell);
  void SelectRows(CCellID currentCell);
  void SelectCells(CCellID currentCell);
  // Moves the focus by a key; TRUE when the key was one of the grid's.
  BOOL MoveFocusByKey(UINT nChar);
  void FollowFocusMove(CCellID next, CCellID old, UINT nChar, BOOL bWrapped);
  // Adds or drops a cell of the selected-cell list as its bit changes.
  void NoteSelectedBit(int nRow, int nCol, UINT nOldState, UINT nNewState);
  // Calls f for each cell of the list that is still selected.
  template <typename F>
  void ForEachSelectedCell(const std::vector<CCellID>& cells, F f);
  void CompactSelectedCells();
  BOOL MouseOverRowResizeArea(CPoint point) const;
  BOOL MouseOverColumnResizeArea(CPoint point) const;
  // The mode a point in the headings' borders gives (resizing allowed), else MOUSE_NOTHING.
  int DividerModeAt(CPoint point) const;
  void DrawTrackingLine(CPoint point);
  void ApplyFont(HFONT hFont);
  // The margin and the default column width from the font selected in dc;
  // answers its metrics.
  TEXTMETRICA MeasureFontSizes(CDC& dc);
  // The font a cell is drawn or measured in: the grid's own (made once) when
  // the cell has the grid's, else one made in temp.
  CFont* CellFont(const LOGFONT& lf, BOOL bBold, CFont& temp);
  // Drags the selected block as text: a move clears the cells it came from.
  void StartDrag();
  void SwapRows(int nFirst, int nSecond);
  // Rows of the page nPage (1 = first) when printing.
  void GetPageRows(int nPage, int& nFirst, int& nLast) const;
  void ReadWheelScrollLines();
  void InitialiseOle();
  void InitialiseSizes();

  // Window messages.
  void PreSubclassWindow() override;
  void OnDestroy();
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnSize(UINT nType, int cx, int cy);
  UINT OnGetDlgCode();
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) { Scroll(SB_HORZ, nSBCode); }
  void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) { Scroll(SB_VERT, nSBCode); }
  // A scroll-bar request for either bar (SB_LINEDOWN is SB_LINERIGHT, and so on).
  void Scroll(int nBar, UINT nSBCode);
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnTimer(UINT_PTR nIDEvent);
  void OnCaptureChanged(CWnd* pWnd);
  void OnSysColorChange();
  void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  void OnSetFont(HFONT hFont, BOOL bRedraw);
  HFONT OnGetFont();
  void OnUpdateEditCut(CCmdUI* pCmdUI);
  void OnUpdateEditCopy(CCmdUI* pCmdUI);
  void OnUpdateEditPaste(CCmdUI* pCmdUI);
  void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
  void OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult);

  // The table.
  std::vector<std::vector<CGridCell*>> m_RowData;
  BOOL m_bLazyRows = FALSE;
  std::vector<CGridCell> m_LazyCells;  // one per column
  int m_nCols = 0;
  int m_nFixedRows = 0;
  int m_nFixedCols = 0;
  CGridAxis m_rows;
  CGridAxis m_cols;

  // Colours, and the system colours they were taken from.
  COLORREF m_crTextColour, m_crTextBkColour, m_crBkColour, m_crFixedTextColour, m_crFixedBkColour, m_crGridColour;
  COLORREF m_crWindowText, m_crWindowColour, m_cr3DFace, m_crShadow;
  int m_nGridLines = GVL_BOTH;

  BOOL m_bEditable = TRUE;
  BOOL m_bModified = FALSE;
  BOOL m_bAllowDragAndDrop = FALSE;
  BOOL m_bListMode = FALSE;
  BOOL m_bAllowDraw = TRUE;
  BOOL m_bEnableSelection = TRUE;
  BOOL m_bSortOnClick = TRUE;
  BOOL m_bHandleTabKey = TRUE;
  BOOL m_bDoubleBuffer = TRUE;
  BOOL m_bTitleTips = TRUE;
  BOOL m_bAllowRowResize = TRUE;
  BOOL m_bAllowColumnResize = TRUE;

  int m_nMargin = 0;
  int m_nDefRowHeight = 30;
  int m_nDefColWidth = 0;
  int m_nVScrollMax = 0;
  int m_nHScrollMax = 0;

  LOGFONT m_Logfont = {};
  CFont m_Font;
  CFont m_BoldFont;  // the grid font at heading weight, made when first needed
  CFont m_PrinterFont;
  CImageList* m_pImageList = nullptr;

  int m_MouseMode = MOUSE_NOTHING;
  CCellID m_idCurrentCell;
  CCellID m_SelectionStartCell;
  CCellID m_LeftClickDownCell;
  CPoint m_LastMousePoint;
  CPoint m_LeftClickDownPoint;
  UINT_PTR m_nTimerID = 0;
  int m_nTimerInterval = 25;
  int m_nResizeCaptureRange = 3;

  // The cells whose selected bit was set, in the order selected; an entry
  // whose cell has lost the bit since is passed over, and the list is
  // compacted when such entries pile up. No allocation per cell, however
  // large the selection.
  std::vector<CCellID> m_SelectedCells;
  int m_nSelectedCount = 0;
  // The selection when the button went down with Ctrl held.
  std::vector<CCellID> m_PrevSelectedCells;

  int m_nRowsPerWheelNotch = 3;
  int m_nSortColumn = -1;
  BOOL m_bAscending = TRUE;

  ZTitleTip m_TitleTip;
  CGridDropSite m_DropTarget;
  CCellID m_LastDragOverCell;
  BOOL m_bMustUninitOLE = FALSE;

  // Printing: character size of the print font and the page's layout.
  CSize m_CharSize;
  int m_nPageWidth = 0;
  int m_nPageHeight = 0;
  int m_nBodyHeight = 0;
  std::vector<int> m_PageFirstRows;

  DECLARE_MESSAGE_MAP()
};

template <typename F>
void CGridCtrl::ForEachSelectedCell(const std::vector<CCellID>& cells, F f) {
  const size_t nCount = cells.size();  // f may add entries: they are not visited
  for (size_t i = 0; i < nCount; ++i) {
    const CCellID cell = cells[i];
    if (IsCellSelected(cell.row, cell.col))
      f(cell);
  }
}

// Data exchange: binds the dialog item nIDC to the grid the first time.
void DDX_GridControl(CDataExchange* pDX, int nIDC, CGridCtrl& rControl);
