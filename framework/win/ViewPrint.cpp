// The printing road of a view: finding the printer, the page loop with the
// "Printing..." window, and the abort of a cancelled or failed job.
#include <cderr.h>

#include "framework/win/CommonDialogs.h"
#include "framework/win/Dc.h"
#include "framework/win/Document.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/PrintDialog.h"
#include "framework/win/PrintInfo.h"
#include "framework/win/PrintMessages.h"
#include "framework/win/PrintingDialog.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  // A document that does not know its length prints its first page only,
  // unless the view says otherwise.
  if (pInfo != nullptr)
    pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != kUnknownPageCount || pInfo->m_nCurPage == 1;
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) {
  return DoPreparePrinting(pInfo);
}

void CView::OnPrint(CDC* pDC, CPrintInfo*) {
  OnDraw(pDC);
}

namespace {

// The printer that /pt names on the command line; null (after saying so)
// when it cannot be opened.
HDC CreateNamedPrinterDC(const CCommandLineInfo& info) {
  HDC hDC = ::CreateDCA(info.m_strDriverName.IsEmpty() ? nullptr : (LPCSTR)info.m_strDriverName, info.m_strPrinterName,
                        info.m_strPortName.IsEmpty() ? nullptr : (LPCSTR)info.m_strPortName, nullptr);
  if (hDC == nullptr)
    AfxReportPrinterUnavailable(info.m_strPrinterName);
  return hDC;
}

// How a preview shows the job's pages: side by side as the application last
// had them, described by the program's page text.
void SetPreviewPages(CPrintInfo* pInfo, const CWinApp& app) {
  pInfo->m_nNumPreviewPages = app.m_nNumPreviewPages == 2 ? 2 : 1;
  pInfo->m_strPageDesc = AfxLoadStringOr(AFX_IDS_PREVIEWPAGEDESC, "Page %u\nPages %u-%u\n");
}

}  // namespace

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr)
    return FALSE;
  PRINTDLGA& pd = pInfo->m_pPD->m_pd;
  if (pd.nMaxPage < pd.nMinPage)
    pd.nMaxPage = pd.nMinPage;
  if (pInfo->m_bPreview || pInfo->m_bDirect) {
    // No dialog: every page, on the command line's printer or the selected one.
    pd.Flags = (pd.Flags & ~(PD_PAGENUMS | PD_SELECTION)) | PD_ALLPAGES;
    CCommandLineInfo* pCmdInfo = pApp->m_pCmdInfo;
    if (!pInfo->m_bPreview && pCmdInfo != nullptr && pCmdInfo->m_nShellCommand == CCommandLineInfo::FilePrintTo) {
      pd.hDC = CreateNamedPrinterDC(*pCmdInfo);
    } else {
      if (!pApp->GetPrinterDeviceDefaults(&pd)) {
        AfxReportNoPrinter();
        return FALSE;
      }
      if (pInfo->m_pPD->CreatePrinterDC() == nullptr)
        AfxReportPrinterUnavailable(pInfo->m_pPD->GetDeviceName());
    }
    if (pd.hDC == nullptr)
      return FALSE;
    SetPreviewPages(pInfo, *pApp);
    return TRUE;
  }
  return AfxPromptPrinter(pInfo);
}

BOOL AfxPromptPrinter(CPrintInfo* pInfo) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr)
    return FALSE;
  PRINTDLGA& pd = pInfo->m_pPD->m_pd;
  if (pd.nMaxPage < pd.nMinPage)
    pd.nMaxPage = pd.nMinPage;
  pd.nFromPage = pd.nMinPage;
  pd.nToPage = pd.nMaxPage;
  if (pApp->DoPrintDialog(pInfo->m_pPD) != IDOK)
    return FALSE;
  if (pd.hDC == nullptr) {
    AfxReportPrinterUnavailable(pInfo->m_pPD->GetDeviceName());
    return FALSE;
  }
  SetPreviewPages(pInfo, *pApp);
  return TRUE;
}

BOOL AfxPromptPrintFile(CWnd* pParent, CString& strPath) {
  CFileDialog dlg(FALSE, AfxLoadStringOr(AFX_IDS_PRINTDEFAULTEXT, "prn"),
                  AfxLoadStringOr(AFX_IDS_PRINTDEFAULT, "Output.prn"), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                  AfxLoadStringOr(AFX_IDS_PRINTFILTER, "Printer Files (*.prn)|*.prn|All Files (*.*)|*.*||"), pParent);
  const CString strCaption = AfxLoadStringOr(AFX_IDS_PRINTCAPTION, "Print to File");
  dlg.m_ofn.lpstrTitle = strCaption;
  if (dlg.DoModal() != IDOK)
    return FALSE;
  strPath = dlg.GetPathName();
  return TRUE;
}

void CView::PrintDocument(BOOL bDirect) {
  CPrintInfo printInfo;
  printInfo.m_bDirect = bDirect;
  if (!OnPreparePrinting(&printInfo) || printInfo.m_pPD->m_pd.hDC == nullptr)
    return;

  CString strOutput;
  if (printInfo.m_pPD->PrintToFile() && !AfxPromptPrintFile(this, strOutput))
    return;
  CString strTitle = m_pDocument != nullptr ? m_pDocument->GetTitle() : CString(AfxGetAppName());
  DOCINFOA di = {};
  di.cbSize = sizeof(di);
  di.lpszDocName = strTitle;
  di.lpszOutput = strOutput.IsEmpty() ? nullptr : (LPCSTR)strOutput;

  // The DC is this job's from here on.
  CDC dcPrint;
  dcPrint.Attach(printInfo.m_pPD->m_pd.hDC);
  printInfo.m_pPD->m_pd.hDC = nullptr;
  dcPrint.SetPrinting(TRUE);

  OnBeginPrinting(&dcPrint, &printInfo);
  dcPrint.SetAbortProc(&CPrintingDialog::AbortProc);
  CWnd* pMainWnd = AfxGetMainWnd();
  BOOL bEnableMain = pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowEnabled();
  if (bEnableMain)
    pMainWnd->EnableWindow(FALSE);
  CPrintingDialog dlgPrinting;
  CString strPort = strOutput.IsEmpty() ? printInfo.m_pPD->GetPortName() : CString();
  dlgPrinting.Create(pMainWnd != nullptr ? pMainWnd : this, strTitle, printInfo.m_pPD->GetDeviceName(), strPort);

  BOOL bStarted = dcPrint.StartDoc(&di) > 0;
  BOOL bFailed = !bStarted;
  BOOL bStopped = FALSE;
  if (bStarted) {
    UINT nFrom = printInfo.GetFromPage(), nTo = printInfo.GetToPage();
    UINT nMin = printInfo.GetMinPage(), nMax = printInfo.GetMaxPage();
    nFrom = nFrom < nMin ? nMin : nFrom > nMax ? nMax : nFrom;
    nTo = nTo < nMin ? nMin : nTo > nMax ? nMax : nTo;
    int nStep = nTo >= nFrom ? 1 : -1;
    for (printInfo.m_nCurPage = nFrom;; printInfo.m_nCurPage += nStep) {
      OnPrepareDC(&dcPrint, &printInfo);
      if (!printInfo.m_bContinuePrinting)
        break;
      dlgPrinting.SetPage(printInfo.m_nCurPage);
      printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
      dcPrint.DPtoLP(&printInfo.m_rectDraw);
      if (dcPrint.StartPage() <= 0) {
        bFailed = TRUE;
        break;
      }
      // StartPage may have reset the DC's mapping.
      OnPrepareDC(&dcPrint, &printInfo);
      OnPrint(&dcPrint, &printInfo);
      if (dcPrint.EndPage() <= 0) {
        bFailed = TRUE;
        break;
      }
      if (!CPrintingDialog::AbortProc(dcPrint.m_hDC, 0)) {
        bStopped = TRUE;
        break;
      }
      if (printInfo.m_nCurPage == nTo)
        break;
    }
  }
  // A cancelled or failed job is abandoned whole: the printer gets no part of it.
  if (bStarted) {
    if (bFailed || bStopped)
      dcPrint.AbortDoc();
    else
      dcPrint.EndDoc();
  }
  if (bEnableMain)
    pMainWnd->EnableWindow(TRUE);
  OnEndPrinting(&dcPrint, &printInfo);
  dlgPrinting.DestroyWindow();
  if (!bStarted)
    AfxReportPrintStartFailed();
  else if (bFailed)
    AfxReportPrintFailed();
}
