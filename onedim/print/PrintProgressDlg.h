// CPrintProgressDlg: the modeless "Printing" window of a print job: where
// the job goes, the page being sent with a progress bar, a percentage and
// the time left, an animation, and Cancel.
#pragma once

#include "framework/win/CommonControls.h"
#include "framework/win/Dialog.h"

class CPrintProgressDlg : public CDialog {
 public:
  CPrintProgressDlg();

  // Shows the window, owned by pOwner; clears the cancel flag. FALSE when
  // the window could not be made (the job then prints without it).
  BOOL Create(CWnd* pOwner, LPCSTR lpszDocName, LPCSTR lpszPrinter, LPCSTR lpszPort);
  // Page k of nPages on the bar and as a percentage.
  void ShowProgress(UINT k, UINT nPages);
  // "Page k of nPages" with the time left, the pages so far having taken
  // dwMsPerPage each.
  void ShowPage(UINT k, UINT nPages, DWORD dwMsPerPage);

  // Set by Cancel; the job abandons the document after the page it is on.
  static BOOL s_bCancelled;

  BOOL OnInitDialog() override;
  void OnCancel() override;

 private:
  CProgressCtrl m_Progress;
  CAnimateCtrl m_Animation;
  CString m_strPageFormat;  // control 1039's text as the template has it
};
