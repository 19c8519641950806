#include "onedim/print/PrintProgressDlg.h"

#include "onedim/plot/PrintPages.h"
#include "resources/BrivaneRes.h"

BOOL CPrintProgressDlg::s_bCancelled = FALSE;

CPrintProgressDlg::CPrintProgressDlg() : CDialog(IDD_PRINT_PROGRESS) {}

BOOL CPrintProgressDlg::Create(CWnd* pOwner, LPCSTR lpszDocName, LPCSTR lpszPrinter, LPCSTR lpszPort) {
  s_bCancelled = FALSE;
  if (!CDialog::Create(IDD_PRINT_PROGRESS, pOwner))
    return FALSE;
  CString text;
  text.Format("Printing %s ...", lpszDocName);
  SetWindowText(text);
  CString where;
  GetDlgItemText(IDC_PRINT_WHERE, where);
  text.Format(where, lpszDocName, lpszPrinter, lpszPort);
  SetDlgItemText(IDC_PRINT_WHERE, text);
  ShowWindow(SW_SHOW);
  UpdateWindow();
  return TRUE;
}

BOOL CPrintProgressDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_Progress.SubclassDlgItem(IDC_PRINT_PROGRESS, this);
  m_Animation.SubclassDlgItem(IDC_PRINT_ANIMATION, this);
  GetDlgItemText(IDC_PRINT_PAGE, m_strPageFormat);
  CenterWindow(m_pParentWnd);
  if (m_Animation.Open(IDR_PRINT_ANIMATION))
    m_Animation.Play(0, (UINT)-1, (UINT)-1);
  return TRUE;
}

void CPrintProgressDlg::ShowProgress(UINT k, UINT nPages) {
  if (m_hWnd == nullptr)
    return;
  m_Progress.SetRange32(0, (int)nPages);
  m_Progress.SetPos((int)k);
  SetDlgItemText(IDC_PRINT_PERCENT, PrintPercentText(k, nPages));
}

void CPrintProgressDlg::ShowPage(UINT k, UINT nPages, DWORD dwMsPerPage) {
  if (m_hWnd == nullptr)
    return;
  CString text;
  text.Format(m_strPageFormat, (int)k, (int)nPages, (LPCSTR)PrintTimeLeftText(dwMsPerPage, nPages, k));
  SetDlgItemText(IDC_PRINT_PAGE, text);
  // The job keeps the thread busy between pages: show the texts now.
  UpdateWindow();
}

void CPrintProgressDlg::OnCancel() {
  s_bCancelled = TRUE;
  EndDialog(IDCANCEL);
}
