#include "framework/win/StatusBar.h"

#include <algorithm>

#include "framework/win/CmdUI.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/UiHooks.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_WM_SIZE()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_GETTEXT, OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

namespace {

// One indicator pane during the idle pass: enabled shows its text.
class CStatusCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    static_cast<CStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, bOn ? (LPCSTR)m_strEnabled : "");
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(LPCSTR lpszText) override { static_cast<CStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText); }
  CString m_strEnabled;
};

// The indicators' usual texts, for a program whose strings lack them.
CString IndicatorText(UINT nID) {
  CString text = AfxLoadString(nID);
  if (!text.IsEmpty())
    return text;
  switch (nID) {
    case ID_INDICATOR_EXT:
      return "EXT";
    case ID_INDICATOR_CAPS:
      return "CAP";
    case ID_INDICATOR_NUM:
      return "NUM";
    case ID_INDICATOR_SCRL:
      return "SCRL";
    default:
      return CString();
  }
}

}  // namespace

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  DWORD dwWindowStyle =
      (dwStyle & ~CBRS_ALL) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
  if (!CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
    return FALSE;
  AttachToFrame(pParentWnd);
  return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  if (nIDCount < 0 || (nIDCount > 0 && lpIDArray == nullptr) || nIDCount > 255)
    return FALSE;
  m_panes.clear();
  CClientDC dc(this);
  CFont* pFont = GetFont();
  HGDIOBJ hOld = pFont != nullptr && pFont->GetSafeHandle() != nullptr
                     ? ::SelectObject(dc.m_hDC, pFont->GetSafeHandle())
                     : nullptr;
  for (int i = 0; i < nIDCount; ++i) {
    Pane pane = {lpIDArray[i], 0, 0, CString()};
    if (pane.nID != ID_SEPARATOR) {
      pane.strText = IndicatorText(pane.nID);
      SIZE size = {0, 0};
      ::GetTextExtentPoint32A(dc.m_hDC, pane.strText, pane.strText.GetLength(), &size);
      pane.cxText = size.cx;
    }
    m_panes.push_back(pane);
  }
  if (hOld != nullptr)
    ::SelectObject(dc.m_hDC, hOld);
  UpdateParts();
  for (int i = 0; i < GetCount(); ++i)
    SetPaneText(i, m_panes[(size_t)i].strText);
  return TRUE;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
  for (int i = 0; i < GetCount(); ++i)
    if (m_panes[(size_t)i].nID == nIDFind)
      return i;
  return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
  return nIndex >= 0 && nIndex < GetCount() ? m_panes[(size_t)nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  SendMessage(SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

CString CStatusBar::GetPaneText(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetCount())
    return CString();
  int nLength = LOWORD(SendMessage(SB_GETTEXTLENGTHA, (WPARAM)nIndex));
  CString text;
  SendMessage(SB_GETTEXTA, (WPARAM)nIndex, (LPARAM)text.GetBuffer(nLength + 1));
  text.ReleaseBuffer();
  return text;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate) {
  if (nIndex < 0 || nIndex >= GetCount() || m_hWnd == nullptr)
    return FALSE;
  if (GetPaneText(nIndex) == (lpszNewText != nullptr ? lpszNewText : ""))
    return TRUE;  // no flicker
  BOOL ok = (BOOL)SendMessage(SB_SETTEXTA, (WPARAM)(nIndex | m_panes[(size_t)nIndex].nStyle), (LPARAM)lpszNewText);
  if (ok && bUpdate)
    UpdateWindow();
  return ok;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  if (nIndex < 0 || nIndex >= GetCount())
    return;
  Pane& pane = m_panes[(size_t)nIndex];
  pane.nID = nID;
  pane.nStyle = nStyle & 0xFF00;  // SBT_ drawing styles
  pane.cxText = cxWidth;
  UpdateParts();
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
  nID = GetItemID(nIndex);
  nStyle = nIndex >= 0 && nIndex < GetCount() ? m_panes[(size_t)nIndex].nStyle : 0;
  cxWidth = nIndex >= 0 && nIndex < GetCount() ? m_panes[(size_t)nIndex].cxText : 0;
}

void CStatusBar::UpdateParts() {
  if (m_hWnd == nullptr || m_panes.empty())
    return;
  CRect rc;
  GetClientRect(&rc);
  int borders[3] = {0, 0, 0};
  SendMessage(SB_GETBORDERS, 0, (LPARAM)borders);
  const int kMargin = 2 * borders[1] + 8;
  // The separator panes share what the indicators leave.
  int nFixed = 0, nStretch = 0;
  for (const Pane& pane : m_panes) {
    if (pane.nID == ID_SEPARATOR && pane.cxText == 0)
      ++nStretch;
    else
      nFixed += pane.cxText + kMargin;
  }
  int cxStretch = nStretch > 0 ? std::max(0, (int)(rc.Width() - nFixed) / nStretch) : 0;
  std::vector<int> edges;
  int x = 0;
  for (const Pane& pane : m_panes) {
    x += pane.nID == ID_SEPARATOR && pane.cxText == 0 ? cxStretch : pane.cxText + kMargin;
    edges.push_back(x);
  }
  edges.back() = -1;  // the last pane runs to the edge
  SendMessage(SB_SETPARTS, (WPARAM)edges.size(), (LPARAM)edges.data());
}

void CStatusBar::OnSize(UINT, int, int) {
  Default();
  UpdateParts();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  // The window's text is the first pane's: the frame's prompts go there.
  if (m_panes.empty())
    return Default();
  return SetPaneText(0, reinterpret_cast<LPCSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  if (m_panes.empty())
    return Default();
  CString text = GetPaneText(0);
  if (wParam == 0)
    return 0;
  lstrcpynA(reinterpret_cast<LPSTR>(lParam), text, (int)wParam);
  return std::min<LRESULT>(text.GetLength(), (LRESULT)wParam - 1);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
  if (m_panes.empty())
    return Default();
  return GetPaneText(0).GetLength();
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  // As tall as its font and borders need.
  CClientDC dc(this);
  CFont* pFont = GetFont();
  HGDIOBJ hOld = pFont != nullptr && pFont->GetSafeHandle() != nullptr
                     ? ::SelectObject(dc.m_hDC, pFont->GetSafeHandle())
                     : nullptr;
  TEXTMETRICA tm = {};
  ::GetTextMetricsA(dc.m_hDC, &tm);
  if (hOld != nullptr)
    ::SelectObject(dc.m_hDC, hOld);
  int borders[3] = {0, 0, 0};
  SendMessage(SB_GETBORDERS, 0, (LPARAM)borders);
  CSize size(bStretch ? 32767 : 0, tm.tmHeight + 2 * borders[1] + 6);
  return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
  CStatusCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = (UINT)GetCount();
  for (UINT i = 0; i < state.m_nIndexMax; ++i) {
    state.m_nIndex = i;
    state.m_nID = m_panes[i].nID;
    if (state.m_nID == ID_SEPARATOR)
      continue;
    state.m_strEnabled = m_panes[i].strText;
    // An indicator without a handler keeps its text.
    state.DoUpdate(pTarget, FALSE);
  }
}
