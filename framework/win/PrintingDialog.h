// The "Printing..." window shown while a document's pages go to the
// printer: the document, the printer and the page now printed, and a
// Cancel button. The printer DC's abort procedure lets the window work
// while the pages are sent, and tells the print loop when Cancel was
// pressed.
#pragma once

#include "framework/win/Wnd.h"

class CPrintingDialog : public CWnd {
 public:
  CPrintingDialog() = default;
  ~CPrintingDialog() override;

  // Shows the window, owned by pOwner (its top-level window), and clears the
  // cancel flag. FALSE when it could not be made (printing goes on without it).
  BOOL Create(CWnd* pOwner, LPCSTR lpszDocName, LPCSTR lpszPrinter, LPCSTR lpszPort);
  void SetPage(UINT nPage);

  // Set by Cancel; the print loop stops at the end of the page.
  static BOOL s_bUserAbort;
  // The abort procedure of printer DCs: dispatches waiting messages (so that
  // Cancel can be pressed) and returns FALSE once Cancel was pressed.
  static BOOL CALLBACK AbortProc(HDC hDC, int nCode);

 protected:
  void OnCancel();
  void OnClose() { OnCancel(); }
  DECLARE_MESSAGE_MAP()

 private:
  HWND m_hWndPage = nullptr;
};
