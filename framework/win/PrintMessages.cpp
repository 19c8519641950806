#include "framework/win/PrintMessages.h"

#include "framework/win/FrameworkRes.h"
#include "framework/win/UiHooks.h"

CString AfxLoadStringOr(UINT nID, LPCSTR lpszDefault) {
  CString text = AfxLoadString(nID);
  return text.IsEmpty() ? CString(lpszDefault) : text;
}

void AfxReportNoPrinter() {
  AfxMessageBox(
      "No printer is installed, or none is chosen as the default printer.\n"
      "Add a printer in the system's printer settings, then try again.",
      MB_OK | MB_ICONEXCLAMATION);
}

void AfxReportPrinterUnavailable(LPCSTR lpszDevice) {
  CString text;
  text.Format("The printer \"%s\" is not available.\nChoose another printer with Print Setup.",
              lpszDevice != nullptr ? lpszDevice : "");
  AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

void AfxReportPrintStartFailed() {
  AfxMessageBox(AfxLoadStringOr(AFX_IDP_FAILED_TO_START_PRINT, "The printer could not start the document."),
                MB_OK | MB_ICONEXCLAMATION);
}

void AfxReportPrintFailed() {
  AfxMessageBox("The printer reported an error; the document was not printed.", MB_OK | MB_ICONEXCLAMATION);
}
