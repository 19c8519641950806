#include "onedim/dialogs/shell/HistoryDialog.h"

#include "framework/win/WinApp.h"
#include "onedim/dialogs/shell/DataBufferClipboard.h"
#include "onedim/document/HistoryList.h"
#include "resources/BrivaneRes.h"

namespace {

void SetButtonIcon(CWnd* pDialog, int nID, UINT nIconID) {
  HICON hIcon = (HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIconID), IMAGE_ICON, 16, 16, 0);
  pDialog->SendDlgItemMessage(nID, BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon);
}

}  // namespace

BEGIN_MESSAGE_MAP(CHistoryDialog, CDialog)
  ON_BN_CLICKED(IDC_HISTORY_COPY, OnCopy)
END_MESSAGE_MAP()

CHistoryDialog::CHistoryDialog(const CHistoryList& history, CWnd* pParent)
    : CDialog(IDD_HISTORY, pParent), m_History(history) {}

BOOL CHistoryDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetButtonIcon(this, IDOK, IDI_HISTORY_OK);
  SetButtonIcon(this, IDC_HISTORY_COPY, IDI_HISTORY_COPY);
  m_Log.SubclassDlgItem(IDC_HISTORY_EDIT, this);
  for (POSITION pos = m_History.GetHeadPosition(); pos != nullptr;)
    m_Log.AppendLine(m_History.GetNext(pos));
  return TRUE;
}

void CHistoryDialog::OnCopy() {
  CopyTextToClipboard(m_History.GetText(), nullptr);
}
