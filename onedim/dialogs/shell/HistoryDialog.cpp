#include "onedim/dialogs/shell/HistoryDialog.h"

#include "onedim/dialogs/shell/DataBufferClipboard.h"
#include "onedim/document/HistoryList.h"
#include "resources/BrivaneRes.h"

BEGIN_MESSAGE_MAP(CHistoryDialog, CDialog)
  ON_BN_CLICKED(IDC_HISTORY_COPY, OnCopy)
END_MESSAGE_MAP()

CHistoryDialog::CHistoryDialog(const CHistoryList& history, CWnd* pParent)
    : CDialog(IDD_HISTORY, pParent), m_History(history) {}

BOOL CHistoryDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_OK.SubclassDlgItem(IDOK, this))
    m_OK.SetIcon(IDI_HISTORY_OK);
  if (m_Copy.SubclassDlgItem(IDC_HISTORY_COPY, this))
    m_Copy.SetIcon(IDI_HISTORY_COPY);
  m_Log.SubclassDlgItem(IDC_HISTORY_EDIT, this);
  for (POSITION pos = m_History.GetHeadPosition(); pos != nullptr;)
    m_Log.AppendLine(m_History.GetNext(pos));
  return TRUE;
}

void CHistoryDialog::OnCopy() {
  CopyTextToClipboard(m_History.GetText(), nullptr);
}
