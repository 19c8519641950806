// CPropertyPage: one page of a property sheet, from a dialog template. It
// fills its controls when first shown, takes their values back (with
// validation) when the user leaves it or presses OK, and gives back its
// values as they were when the sheet is cancelled.
#pragma once

#include <vector>

#include "framework/win/Dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
 public:
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  explicit CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption = 0);

  // The page becomes current: FALSE refuses. Shows the values again after
  // the first time.
  virtual BOOL OnSetActive();
  // The page is left: takes the values; FALSE (a refused value) keeps it.
  virtual BOOL OnKillActive();
  virtual BOOL OnApply();
  virtual void OnReset();
  BOOL OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}
  virtual BOOL OnQueryCancel() { return TRUE; }
  // Wizard buttons: 0 goes to the next or previous page, -1 stays.
  virtual LRESULT OnWizardNext() { return 0; }
  virtual LRESULT OnWizardBack() { return 0; }
  virtual BOOL OnWizardFinish();

  void SetModified(BOOL bChanged = TRUE);
  CPropertySheet* GetSheet() const { return m_pSheet; }

  // What the sheet gives the system for this page.
  PROPSHEETPAGEA m_psp = {};

 protected:
  friend class CPropertySheet;

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  static INT_PTR CALLBACK PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  // The controls' state when the page was first filled, and putting it back.
  void SnapshotControls();
  void RestoreControls();

  CPropertySheet* m_pSheet = nullptr;
  CString m_strCaption;
  BOOL m_bFirstSetActive = TRUE;
  BOOL m_bExchanged = FALSE;  // the members took the controls' values

 private:
  struct ControlState {
    int nID;
    CString strText;
    LRESULT nValue;
  };
  std::vector<ControlState> m_snapshot;
};
