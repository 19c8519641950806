#include "onedim/app/ScaleBar.h"

#include "framework/win/CmdUI.h"
#include "framework/win/DataExchange.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/app/MainFrame.h"
#include "onedim/view/BrivaneProView.h"
#include "resources/BrivaneRes.h"

BEGIN_MESSAGE_MAP(CScaleBar, CSelfInitDialogBar)
  ON_BN_CLICKED(IDC_SCALEBAR_APPLY_ALL, OnApplyToAll)
  ON_BN_CLICKED(IDC_SCALEBAR_FIT, OnFitToScreen)
  ON_UPDATE_COMMAND_UI(IDC_SCALEBAR_FIT, OnUpdateFitToScreen)
  ON_CBN_SELCHANGE(IDC_SCALEBAR_UNITS, OnUnitsChange)
  ON_UPDATE_COMMAND_UI(IDC_SCALEBAR_UNITS, OnUpdateUnits)
  ON_MESSAGE(WM_RULER_CHANGED, OnRulerChanged)
END_MESSAGE_MAP()

namespace {

// The width the ruler's percentages refer to: the active view's client
// width; 0 without one.
int ActiveViewWidth() {
  CView* pView = GetActiveSpectrumViewChecked();
  if (pView == nullptr)
    return 0;
  CRect rc;
  pView->GetClientRect(&rc);
  return rc.Width();
}

}  // namespace

BOOL CScaleBar::InitBarControls() {
  if (!CSelfInitDialogBar::InitBarControls())
    return FALSE;
  m_bApplyToAll = 0;
  CheckDlgButton(IDC_SCALEBAR_APPLY_ALL, BST_UNCHECKED);
  if (m_FitButton.SubclassDlgItem(IDC_SCALEBAR_FIT, this))
    m_FitButton.SetIcon(IDI_FIT_SCREEN);
  CComboBox* pUnits = static_cast<CComboBox*>(GetDlgItem(IDC_SCALEBAR_UNITS));
  if (pUnits != nullptr) {
    pUnits->ResetContent();
    for (LPCSTR pszUnits : {"Seconds", "ppm", "Hz", "Points"})
      pUnits->AddString(pszUnits);
    pUnits->SetCurSel(0);
  }
  return m_Ruler.SubclassDlgItem(IDC_SCALEBAR_RULER, this);
}

void CScaleBar::DoDataExchange(CDataExchange* pDX) {
  DDX_Check(pDX, IDC_SCALEBAR_APPLY_ALL, m_bApplyToAll);
}

BOOL CScaleBar::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN) {
    CView* pView = GetActiveSpectrumViewChecked();
    if (pView != nullptr) {
      if (pMsg->wParam == VK_TAB)
        pView->PreTranslateMessage(pMsg);
      else
        pView->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
    }
  }
  return CSelfInitDialogBar::PreTranslateMessage(pMsg);
}

void CScaleBar::SetUnitsEntry(int nEntry) {
  SendDlgItemMessage(IDC_SCALEBAR_UNITS, CB_SETCURSEL, (WPARAM)nEntry);
}

void CScaleBar::OnApplyToAll() {
  m_bApplyToAll = m_bApplyToAll ? 0 : 1;
}

void CScaleBar::OnFitToScreen() {
  if (CBrivaneProDoc* pDoc = GetActiveSpectrumDoc())
    pDoc->FitToWidth(ActiveViewWidth(), m_bApplyToAll);
  m_Ruler.SetPositions(0, 100);
}

void CScaleBar::OnUpdateFitToScreen(CCmdUI* pCmdUI) {
  pCmdUI->Enable(TRUE);
}

void CScaleBar::OnUnitsChange() {
  const int nEntry = (int)SendDlgItemMessage(IDC_SCALEBAR_UNITS, CB_GETCURSEL);
  if (CBrivaneProDoc* pDoc = GetActiveSpectrumDoc())
    pDoc->SetUnitsEntry(nEntry, m_bApplyToAll);
}

void CScaleBar::OnUpdateUnits(CCmdUI* pCmdUI) {
  pCmdUI->Enable(TRUE);
  // The list names the active window's units: the document sets it when it
  // changes them, but another window may have become active since. An open
  // list is the user's until it closes.
  const CBrivaneProDoc* pDoc = GetActiveSpectrumDoc();
  const int nEntry = pDoc != nullptr ? pDoc->GetUnitsEntry() : -1;
  if (nEntry >= 0 && !SendDlgItemMessage(IDC_SCALEBAR_UNITS, CB_GETDROPPEDSTATE) &&
      SendDlgItemMessage(IDC_SCALEBAR_UNITS, CB_GETCURSEL) != nEntry)
    SetUnitsEntry(nEntry);
}

LRESULT CScaleBar::OnRulerChanged(WPARAM wParam, LPARAM lParam) {
  if (CBrivaneProDoc* pDoc = GetActiveSpectrumDoc())
    pDoc->PlaceSpectrum(ActiveViewWidth(), (int)(short)wParam, (int)(short)lParam, m_bApplyToAll);
  return 0;
}
