#include "onedim/dialogs/display/DataPoints.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "framework/win/PropertySheet.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WaitCursor.h"
#include "framework/win/WinApp.h"

namespace {

const UINT_PTR kFillTimer = 1;
const UINT kFillTimerMs = 100;
// Posted to the page: the fill starts once the page is up and showing.
const UINT WM_DATA_POINTS_FILL = WM_APP + 0x138;
// Rows are added to the grid this many at a time as the fill reaches them.
const int kRowBlock = 256;

// The edit's text as a whole number, saturated; text that is none reads as 0.
int ReadInt(CWnd* pPage, int nID) {
  CString text;
  pPage->GetDlgItemText(nID, text);
  errno = 0;
  const long long n = std::strtoll(text, nullptr, 10);
  return (int)std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, n));
}

}  // namespace

CString CDataPointsGrid::GetItemText(int nRow, int nCol) {
  // The fill only ever makes rows for points inside the data.
  if (m_pData == nullptr || nRow < GetFixedRowCount() || nRow >= GetRowCount() || nCol < 0 || nCol > 2)
    return CGridCtrl::GetItemText(nRow, nCol);
  const int p = m_nFirstPoint + nRow - GetFixedRowCount();
  CString text;
  if (nCol == 0)
    text.Format("%d", p);
  else
    text.Format("%.2lf", (double)m_pData[2 * p + nCol - 1]);
  return text;
}

BEGIN_MESSAGE_MAP(CDataPoints, CPropertyPage)
  ON_BN_CLICKED(IDC_DP_UPDATE, OnUpdate)
  ON_BN_CLICKED(IDC_DP_COPY, OnCopy)
  ON_BN_CLICKED(IDC_DP_PRINT, OnPrint)
  ON_BN_CLICKED(IDC_DP_FULL, OnFullData)
  ON_WM_TIMER()
  ON_MESSAGE(WM_DATA_POINTS_FILL, OnStartFill)
END_MESSAGE_MAP()

BOOL CDataPoints::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_Grid.SubclassDlgItem(IDC_DP_GRID, this);
  m_Grid.SetEditable(FALSE);
  m_Progress.SubclassDlgItem(IDC_DP_PROGRESS, this);
  m_Progress.SetRange(0, 100);
  m_Updating.SubclassDlgItem(IDC_DP_UPDATING, this);
  const int ids[4] = {IDC_DP_UPDATE, IDC_DP_COPY, IDC_DP_PRINT, IDC_DP_FULL};
  const int icons[4] = {IDI_DATA_UPDATE, IDI_HISTORY_COPY, IDI_DATA_PRINT, IDI_DATA_FULL};
  for (int i = 0; i < 4; ++i) {
    m_Buttons[i].SubclassDlgItem(ids[i], this);
    m_Buttons[i].SetIcon(icons[i]);
  }
  SetDlgItemInt(IDC_DP_FROM, m_nFirst);
  SetDlgItemInt(IDC_DP_TO, m_nLast);
  m_nPrevFirst = m_nFirst;
  m_nPrevLast = m_nLast;
  PostFill();
  return TRUE;
}

BOOL CDataPoints::PreTranslateMessage(MSG* pMsg) {
  // Enter in either edit updates instead of closing the sheet.
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
    char cls[8] = "";
    ::GetClassNameA(pMsg->hwnd, cls, sizeof(cls));
    if (::IsChild(m_hWnd, pMsg->hwnd) && _strnicmp(cls, "edit", 4) == 0) {
      OnUpdate();
      return TRUE;
    }
  }
  return CPropertyPage::PreTranslateMessage(pMsg);
}

void CDataPoints::CheckRange() {
  const int n = m_nTd / 2;
  m_nFirst = ReadInt(this, IDC_DP_FROM);
  m_nLast = ReadInt(this, IDC_DP_TO);
  CString text;
  if (m_nFirst < 0) {
    m_nFirst = m_nPrevFirst;
    AfxMessageBox("Initial point must be equal or higher than zero");
  } else if (m_nFirst > n) {
    m_nFirst = m_nPrevFirst;
    text.Format("First point must be lower than %d", n);
    AfxMessageBox(text);
  }
  if (m_nLast < 1) {
    m_nLast = m_nPrevLast;
    AfxMessageBox("Last point must be higher than zero");
  } else if (m_nLast > n) {
    m_nLast = m_nPrevLast;
    text.Format("Last point must be lower than %d", n);
    AfxMessageBox(text);
  }
  if (m_nLast < m_nFirst)
    std::swap(m_nFirst, m_nLast);
  SetDlgItemInt(IDC_DP_FROM, m_nFirst);
  SetDlgItemInt(IDC_DP_TO, m_nLast);
  m_nPrevFirst = m_nFirst;
  m_nPrevLast = m_nLast;
}

void CDataPoints::OnUpdate() {
  CheckRange();
  Fill();
}

void CDataPoints::OnFullData() {
  m_nFirst = 0;
  m_nLast = m_nTd / 2;
  SetDlgItemInt(IDC_DP_FROM, m_nFirst);
  SetDlgItemInt(IDC_DP_TO, m_nLast);
  m_nPrevFirst = m_nFirst;
  m_nPrevLast = m_nLast;
  Fill();
}

void CDataPoints::OnCopy() {
  CWaitCursor wait;
  m_Grid.SelectAllCells();
  m_Grid.OnEditCopy();
}

void CDataPoints::OnPrint() {
  m_Grid.Print();
}

void CDataPoints::PostFill() {
  if (!m_bFillPosted)
    m_bFillPosted = PostMessage(WM_DATA_POINTS_FILL);
}

LRESULT CDataPoints::OnStartFill(WPARAM, LPARAM) {
  m_bFillPosted = FALSE;
  Fill();
  return 0;
}

void CDataPoints::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kFillTimer && m_nCount > 0)
    m_Progress.SetPos((int)((long long)m_nFillPos * 100 / m_nCount));
}

BOOL CDataPoints::PumpOne() {
  if (!AfxPumpPendingMessage())
    return FALSE;
  CPropertySheet* pSheet = GetSheet();
  return m_hWnd != nullptr && ::IsWindow(m_hWnd) && (pSheet == nullptr || pSheet->ContinueModal());
}

void CDataPoints::Fill() {
  if (m_bFilling) {
    // The running fill stops at its next row; this range follows it.
    m_bStopFill = TRUE;
    PostFill();
    return;
  }
  const int n = m_nTd / 2;
  const int nFirst = std::max(0, std::min(m_nFirst, m_nLast));
  const int nLast = std::min(n, std::max(m_nFirst, m_nLast));
  if (m_pData == nullptr || m_Grid.m_hWnd == nullptr)
    return;
  m_bFilling = TRUE;
  m_bStopFill = FALSE;
  m_nCount = std::max(0, nLast - nFirst);
  m_nFillPos = 0;
  m_Grid.SetRowCount(1);
  m_Grid.SetColumnCount(3);
  m_Grid.SetFixedRowCount(1);
  m_Grid.SetFixedColumnCount(1);
  const UINT nHeading = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
  m_Grid.SetItemText(0, 1, "Re");
  m_Grid.SetItemFormat(0, 1, nHeading);
  m_Grid.SetItemText(0, 2, "Im");
  m_Grid.SetItemFormat(0, 2, nHeading);
  m_Progress.SetPos(0);
  m_Progress.ShowWindow(SW_SHOW);
  m_Updating.ShowWindow(SW_SHOW);
  m_nTimer = SetTimer(kFillTimer, kFillTimerMs, nullptr);

  const HWND hWnd = m_hWnd;
  BOOL bAlive = TRUE;
  // The grid makes each row's texts from the points as it shows them.
  m_Grid.SetPoints(m_pData, nFirst);
  for (int p = nFirst; p < nLast && !m_bStopFill; ++p) {
    const int nRow = p - nFirst + 1;
    if ((nRow - 1) % kRowBlock == 0)
      m_Grid.SetRowCount(std::min(m_nCount, nRow - 1 + kRowBlock) + 1);
    m_nFillPos = nRow;
    if (!(bAlive = PumpOne()))
      break;
  }
  m_bFilling = FALSE;
  if (!::IsWindow(hWnd))
    return;
  KillTimer(kFillTimer);
  m_nTimer = 0;
  if (!bAlive)
    return;
  m_Progress.ShowWindow(SW_HIDE);
  m_Updating.ShowWindow(SW_HIDE);
  Invalidate();
}
