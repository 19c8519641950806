// CPrintDialog: the system's Print and Print Setup dialogs, and the
// printer they chose as a device context. Without a dialog, GetDefaults
// takes the default printer. The device-mode and device-names blocks that
// the dialog fills belong to the application when they are its printer
// selection (CWinApp::DoPrintDialog), else to this object; the printer DC
// always belongs to this object.
#pragma once

#include "framework/win/CommonDialogs.h"

class CPrintDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CPrintDialog)
 public:
  explicit CPrintDialog(BOOL bPrintSetupOnly,
                        DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                        PD_NOSELECTION,
                        CWnd* pParentWnd = nullptr);
  ~CPrintDialog() override;

  INT_PTR DoModal() override;
  // The default printer, with no dialog shown; FALSE when there is none.
  BOOL GetDefaults();

  // The chosen printer's DC (made by the dialog, or by CreatePrinterDC).
  HDC GetPrinterDC() const { return m_pd.hDC; }
  // Makes the DC of the printer that hDevNames and hDevMode name; null when
  // that printer cannot be opened (removed since it was chosen).
  HDC CreatePrinterDC();

  CString GetDeviceName() const;
  CString GetDriverName() const;
  CString GetPortName() const;
  // Locked while the dialog lives; null when there is none.
  LPDEVMODEA GetDevMode() const;
  int GetCopies() const;
  BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
  BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
  int GetFromPage() const { return m_pd.nFromPage; }
  int GetToPage() const { return m_pd.nToPage; }

  PRINTDLGA m_pd = {};

 private:
  CString DevNamesString(size_t offsetField) const;
  void FreeOwnedBlocks();
};
