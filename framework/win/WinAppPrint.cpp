// The printer side of the application object: the printer that Print Setup
// chose (the default printer until then), shared by every print dialog.
#include <cderr.h>

#include "framework/win/Dc.h"
#include "framework/win/PrintDialog.h"
#include "framework/win/PrintMessages.h"
#include "framework/win/WinApp.h"

void CWinApp::SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode, BOOL bFreeOld) {
  if (bFreeOld) {
    if (m_hDevNames != nullptr && m_hDevNames != hDevNames)
      ::GlobalFree(m_hDevNames);
    if (m_hDevMode != nullptr && m_hDevMode != hDevMode)
      ::GlobalFree(m_hDevMode);
  }
  m_hDevNames = hDevNames;
  m_hDevMode = hDevMode;
}

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults) {
  if (m_hDevNames != nullptr && !bForceDefaults)
    return;
  PRINTDLGA pd = {};
  pd.lStructSize = sizeof(pd);
  pd.Flags = PD_RETURNDEFAULT;
  if (::PrintDlgA(&pd))
    SelectPrinter(pd.hDevNames, pd.hDevMode);
  else if (bForceDefaults)
    SelectPrinter(nullptr, nullptr);
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg) {
  UpdatePrinterSelection(m_hDevNames == nullptr);
  if (m_hDevNames == nullptr)
    return FALSE;
  pPrintDlg->hDevNames = m_hDevNames;
  pPrintDlg->hDevMode = m_hDevMode;
  return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD) {
  UpdatePrinterSelection(FALSE);
  pPD->m_pd.hDevMode = m_hDevMode;
  pPD->m_pd.hDevNames = m_hDevNames;
  INT_PTR nResult = pPD->DoModal();
  // The dialog may have replaced the blocks; what it returns is the selection.
  if (pPD->m_pd.hDevNames != m_hDevNames || pPD->m_pd.hDevMode != m_hDevMode)
    SelectPrinter(pPD->m_pd.hDevNames, pPD->m_pd.hDevMode);
  if (nResult != IDOK) {
    // Cancel leaves no error; a missing printer does.
    DWORD dwError = ::CommDlgExtendedError();
    if (dwError == PDERR_NODEFAULTPRN || dwError == PDERR_NODEVICES)
      AfxReportNoPrinter();
    else if (dwError == PDERR_PRINTERNOTFOUND || dwError == PDERR_CREATEICFAILURE)
      AfxReportPrinterUnavailable(pPD->GetDeviceName());
  }
  return nResult;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc) {
  CPrintDialog dlg(FALSE);
  if (!GetPrinterDeviceDefaults(&dlg.m_pd)) {
    AfxReportNoPrinter();
    return FALSE;
  }
  if (dlg.CreatePrinterDC() == nullptr) {
    AfxReportPrinterUnavailable(dlg.GetDeviceName());
    return FALSE;
  }
  HDC hDC = dlg.m_pd.hDC;
  dlg.m_pd.hDC = nullptr;  // the caller's now
  if (!dc.Attach(hDC)) {
    ::DeleteDC(hDC);
    return FALSE;
  }
  return TRUE;
}

void CWinApp::OnFilePrintSetup() {
  CPrintDialog dlg(TRUE);
  DoPrintDialog(&dlg);
}
