#include "controls/TabStopListBox.h"

#include <vector>

#include "framework/win/Dc.h"

BEGIN_MESSAGE_MAP(CTabStopListBox, CListBox)
  ON_MESSAGE(LB_ADDSTRING, OnAddString)
  ON_MESSAGE(LB_INSERTSTRING, OnAddString)
  ON_MESSAGE(LB_DELETESTRING, OnDeleteString)
  ON_MESSAGE(LB_RESETCONTENT, OnResetContent)
END_MESSAGE_MAP()

// The letters whose mean width is the list's average character.
const char CTabStopListBox::s_szMeasure[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

CTabStopListBox::CTabStopListBox() {
  ResetColumns();
}

CTabStopListBox::~CTabStopListBox() = default;

void CTabStopListBox::ResetColumns() {
  m_nColumns = 4;
  m_TabStops.SetSize(m_nColumns);
  m_ColumnWidths.SetSize(m_nColumns);
  for (int i = 0; i < m_nColumns; ++i)
    m_ColumnWidths[i] = 0;
  ComputeTabStops();
}

void CTabStopListBox::SetColumnGap(int nGap) {
  if (nGap == m_nColumnGap)
    return;
  m_nColumnGap = nGap;
  ComputeTabStops();
  SetTabStopsNow();
}

BOOL CTabStopListBox::MeasureItem(LPCSTR lpszText, BOOL bUpdate) {
  if (m_hWnd == nullptr || lpszText == nullptr)
    return FALSE;
  CClientDC dc(this);
  HGDIOBJ hFont = (HGDIOBJ)SendMessage(WM_GETFONT);
  CSelectGuard font(dc.m_hDC, hFont != nullptr ? hFont : ::GetStockObject(SYSTEM_FONT));
  if (hFont != nullptr) {
    const CSize letters = dc.GetTextExtent(s_szMeasure, (int)sizeof(s_szMeasure) - 1);
    m_nAveCharWidth = ::MulDiv(1, letters.cx, 52);
  } else {
    m_nAveCharWidth = LOWORD(::GetDialogBaseUnits());
  }
  if (m_nAveCharWidth <= 0)
    m_nAveCharWidth = 1;  // a stop is a division by it

  BOOL bChanged = FALSE;
  int nColumn = 0;
  for (LPCSTR p = lpszText;; ++nColumn) {
    LPCSTR pEnd = p;
    while (*pEnd != '\0' && *pEnd != '\t')
      ++pEnd;
    if (nColumn >= m_nColumns) {
      m_TabStops.Add(0);
      m_ColumnWidths.Add(0);
      ++m_nColumns;
    }
    const UINT nWidth = (UINT)dc.GetTextExtent(p, (int)(pEnd - p)).cx;
    if (nWidth >= m_ColumnWidths[nColumn]) {
      bChanged = TRUE;
      if (bUpdate)
        m_ColumnWidths[nColumn] = nWidth;
    }
    if (*pEnd == '\0')
      break;
    p = pEnd + 1;
  }
  return bChanged;
}

void CTabStopListBox::ComputeTabStops() {
  // Four dialog units to the average character.
  const int nAve = m_nAveCharWidth;
  UINT nStop = 0;
  for (int i = 0; i < m_nColumns; ++i) {
    nStop += (UINT)(((nAve * m_nColumnGap + (int)m_ColumnWidths[i]) * 4) / nAve);
    m_TabStops[i] = nStop;
  }
}

void CTabStopListBox::SetTabStopsNow() {
  if (m_hWnd == nullptr)
    return;
  std::vector<int> stops(m_TabStops.GetData(), m_TabStops.GetData() + m_TabStops.GetSize());
  SetTabStops((int)stops.size(), stops.data());
  Invalidate();
}

LRESULT CTabStopListBox::OnAddString(WPARAM, LPARAM lParam) {
  // Without strings the message carries item data, not text.
  const DWORD dwStyle = GetStyle();
  const BOOL bStrings = (dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0 || (dwStyle & LBS_HASSTRINGS);
  if (bStrings && MeasureItem(reinterpret_cast<LPCSTR>(lParam), TRUE)) {
    ComputeTabStops();
    SetTabStopsNow();
  }
  return Default();
}

LRESULT CTabStopListBox::OnDeleteString(WPARAM wParam, LPARAM) {
  CString strItem;
  GetText((int)wParam, strItem);
  const BOOL bWidest = GetTextLen((int)wParam) != LB_ERR && MeasureItem(strItem, FALSE);
  const LRESULT nResult = Default();
  if (bWidest && nResult != LB_ERR) {
    // The widest text of a column may have gone: measure what is left.
    for (int i = 0; i < m_nColumns; ++i)
      m_ColumnWidths[i] = 0;
    for (int i = GetCount() - 1; i >= 0; --i) {
      GetText(i, strItem);
      MeasureItem(strItem, TRUE);
    }
    ComputeTabStops();
    SetTabStopsNow();
  }
  return nResult;
}

LRESULT CTabStopListBox::OnResetContent(WPARAM, LPARAM) {
  ResetColumns();
  return Default();
}
