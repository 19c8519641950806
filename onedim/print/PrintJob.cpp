#include "onedim/print/PrintJob.h"

#include <algorithm>

#include "framework/win/Dc.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/PrintDialog.h"
#include "framework/win/PrintInfo.h"
#include "framework/win/PrintMessages.h"
#include "framework/win/WinApp.h"
#include "onedim/plot/PrintPages.h"
#include "onedim/print/PrintProgressDlg.h"

namespace {

// The main window, and the job's own window when it is another one (a
// modeless list whose rows are being printed), disabled while a job prints
// and enabled again on every way out.
class CWindowsDisabled {
 public:
  explicit CWindowsDisabled(CWnd* pParent) {
    Disable(AfxGetMainWnd() != nullptr ? AfxGetMainWnd()->m_hWnd : nullptr, 0);
    HWND hWndParent = CWnd::HwndOf(pParent);
    while (hWndParent != nullptr && (::GetWindowLongA(hWndParent, GWL_STYLE) & WS_CHILD))
      hWndParent = ::GetParent(hWndParent);
    if (hWndParent != m_hWnd[0])
      Disable(hWndParent, 1);
  }
  ~CWindowsDisabled() { Enable(); }
  void Enable() {
    for (HWND& hWnd : m_hWnd) {
      if (hWnd != nullptr && ::IsWindow(hWnd))
        ::EnableWindow(hWnd, TRUE);
      hWnd = nullptr;
    }
  }
  CWindowsDisabled(const CWindowsDisabled&) = delete;
  CWindowsDisabled& operator=(const CWindowsDisabled&) = delete;

 private:
  void Disable(HWND hWnd, int i) {
    if (hWnd != nullptr && ::IsWindowEnabled(hWnd)) {
      ::EnableWindow(hWnd, FALSE);
      m_hWnd[i] = hWnd;
    }
  }
  HWND m_hWnd[2] = {nullptr, nullptr};
};

}  // namespace

BOOL CALLBACK PrintAbortProc(HDC, int) {
  MSG msg;
  while (!CPrintProgressDlg::s_bCancelled && ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (!AfxPumpPendingMessage())
      return FALSE;  // the quit message: it goes on to the main loop
  }
  return !CPrintProgressDlg::s_bCancelled;
}

RECT MeasureUnprintableMargins(CDC* pDC) {
  POINT ptOffset = {0, 0}, ptPage = {0, 0};
  if (pDC->Escape(GETPRINTINGOFFSET, 0, nullptr, &ptOffset) <= 0)
    ptOffset = {pDC->GetDeviceCaps(PHYSICALOFFSETX), pDC->GetDeviceCaps(PHYSICALOFFSETY)};
  if (pDC->Escape(GETPHYSPAGESIZE, 0, nullptr, &ptPage) <= 0)
    ptPage = {pDC->GetDeviceCaps(PHYSICALWIDTH), pDC->GetDeviceCaps(PHYSICALHEIGHT)};
  RECT rc;
  rc.left = std::max<LONG>(ptOffset.x, 0);
  rc.top = std::max<LONG>(ptOffset.y, 0);
  rc.right = std::max<LONG>(ptPage.x - ptOffset.x - pDC->GetDeviceCaps(HORZRES), 0);
  rc.bottom = std::max<LONG>(ptPage.y - ptOffset.y - pDC->GetDeviceCaps(VERTRES), 0);
  return rc;
}

BOOL SetAppPrinterOrientation(BOOL bLandscape) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr)
    return FALSE;
  pApp->UpdatePrinterSelection(FALSE);
  if (pApp->m_hDevMode == nullptr)
    return FALSE;
  DEVMODEA* pDevMode = static_cast<DEVMODEA*>(::GlobalLock(pApp->m_hDevMode));
  if (pDevMode == nullptr)
    return FALSE;
  pDevMode->dmOrientation = bLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  pDevMode->dmFields |= DM_ORIENTATION;
  ::GlobalUnlock(pApp->m_hDevMode);
  return TRUE;
}

CPrintJob::CPrintJob() : m_strDocName("Brivane") {}

CPrintJob::~CPrintJob() = default;

BOOL CPrintJob::OnPreparePrinting(CPrintInfo* pInfo, BOOL bNoDialog) {
  return bNoDialog ? TRUE : DoPreparePrinting(pInfo);
}

BOOL CPrintJob::DoPreparePrinting(CPrintInfo* pInfo) {
  return AfxPromptPrinter(pInfo);
}

void CPrintJob::PreparePage(CPrintInfo* pInfo) const {
  pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != kPrintPagesUnknown || pInfo->m_nCurPage == 1;
}

BOOL CPrintJob::Print() {
  CPrintInfo info;
  if (!OnPreparePrinting(&info, FALSE) || info.m_pPD->m_pd.hDC == nullptr)
    return FALSE;
  CString strOutput;
  if (info.m_pPD->PrintToFile() && !AfxPromptPrintFile(m_pParent, strOutput))
    return FALSE;
  DOCINFOA di = {};
  di.cbSize = sizeof(di);
  di.lpszDocName = m_strDocName;
  di.lpszOutput = strOutput.IsEmpty() ? nullptr : (LPCSTR)strOutput;
  CString strPort;
  if (strOutput.IsEmpty())
    strPort.Format(AfxLoadStringOr(AFX_IDS_PRINTONPORT, "on %s"), (LPCSTR)info.m_pPD->GetPortName());
  else
    strPort.Format(AfxLoadStringOr(AFX_IDS_PRINTTOFILE, "to %s"), (LPCSTR)strOutput);

  // The DC is this job's from here on.
  CDC dcPrint;
  dcPrint.Attach(info.m_pPD->m_pd.hDC);
  info.m_pPD->m_pd.hDC = nullptr;
  dcPrint.SetPrinting(TRUE);
  const CRect rectPrintable(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
  info.m_rectDraw = rectPrintable;
  dcPrint.DPtoLP(&info.m_rectDraw);
  OnBeginPrinting(&dcPrint, &info);
  dcPrint.SetAbortProc(&PrintAbortProc);
  CWindowsDisabled disabled(m_pParent);

  CPrintProgressDlg progress;
  progress.Create(m_pParent != nullptr ? m_pParent : AfxGetMainWnd(), m_strDocName, info.m_pPD->GetDeviceName(),
                  strPort);
  if (dcPrint.StartDoc(&di) <= 0) {
    disabled.Enable();
    OnEndPrinting(&dcPrint, &info);
    progress.DestroyWindow();
    AfxReportPrintStartFailed();
    return FALSE;
  }

  const PrintPageRange range =
      GetPrintPageRange(info.GetFromPage(), info.GetToPage(), info.GetMinPage(), info.GetMaxPage());
  const DWORD dwStart = ::GetTickCount();
  DWORD dwPerPage = 0;
  info.m_nCurPage = range.nStart;
  BOOL bDone = range.nStart == range.nEnd;  // nothing to print
  BOOL bFailed = FALSE;                     // the printer refused a page
  BOOL bStopped = FALSE;                    // Cancel, or the program is ending
  for (UINT k = 1; !bDone && !bFailed && !bStopped; k++) {
    progress.ShowProgress(k, range.nCount);
    PreparePage(&info);
    if (!info.m_bContinuePrinting)
      break;
    progress.ShowPage(k, range.nCount, dwPerPage);
    info.m_rectDraw = rectPrintable;
    dcPrint.DPtoLP(&info.m_rectDraw);
    if (dcPrint.StartPage() <= 0) {
      bFailed = TRUE;
      break;
    }
    PreparePage(&info);
    const int nSaved = dcPrint.SaveDC();
    OnPrint(&dcPrint, &info);
    bFailed = dcPrint.EndPage() <= 0;
    bStopped = !bFailed && !PrintAbortProc(dcPrint.m_hDC, 0);
    dcPrint.RestoreDC(nSaved);
    dwPerPage = (::GetTickCount() - dwStart) / k;
    info.m_nCurPage += range.nStep;
    bDone = info.m_nCurPage == range.nEnd;
  }
  // A job cut short is abandoned whole: the printer gets no part of it.
  const BOOL bPrinted = !bFailed && !bStopped && dcPrint.EndDoc() > 0;
  if (!bPrinted)
    dcPrint.AbortDoc();
  disabled.Enable();
  OnEndPrinting(&dcPrint, &info);
  progress.DestroyWindow();
  if (!bPrinted && !bStopped)
    AfxReportPrintFailed();
  return bPrinted;
}
