// The system's common dialogs: file open and save (Explorer style, with an
// optional template of the program's own appended), colour and font. Each
// is a CDialog bound to the dialog window while it is open, so that derived
// classes handle their controls through message maps, and the modal-dialog
// test hook acts on it once it is up.
#pragma once

#include <string>
#include <vector>

#include "framework/base/Position.h"
#include "framework/win/Dialog.h"

class CCommonDialog : public CDialog {
  DECLARE_DYNAMIC(CCommonDialog)
 public:
  explicit CCommonDialog(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }

  // Called by the system dialog's hook at WM_INITDIALOG: binds the dialog
  // window hWnd to pDlg and initialises it; returns the WM_INITDIALOG result.
  static BOOL BindDialog(CCommonDialog* pDlg, HWND hWnd);

 protected:
  // The buttons belong to the system dialog, which ends itself.
  void OnOK() override { Default(); }
  void OnCancel() override { Default(); }
  LRESULT OnRunDialogHook(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()
};

class CFileDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFileDialog)
 public:
  // lpszFilter: pairs of "description|pattern|", as in "Text (*.txt)|*.txt||".
  explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr);

  INT_PTR DoModal() override;

  // The chosen file; while the dialog is open, the one selected in it.
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  CString GetFolderPath() const;  // while open
  // The chosen files one by one (one or many with OFN_ALLOWMULTISELECT).
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;
  void SetControlText(int nID, LPCSTR lpszText);
  void HideControl(int nID);

  // The structure given to the system; callers may change flags, title,
  // template and filter index before DoModal.
  OPENFILENAMEA m_ofn = {};
  BOOL m_bOpenFileDialog;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  virtual void OnInitDone() {}
  virtual void OnFileNameChange() {}
  virtual void OnFolderChange() {}
  virtual void OnTypeChange() {}
  // TRUE refuses the chosen name and keeps the dialog open.
  virtual BOOL OnFileNameOK() { return FALSE; }

 private:
  std::vector<char> m_fileBuffer;  // room for many names when several are chosen
  std::string m_filter;
  std::string m_defExt;
};

class CColorDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CColorDialog)
 public:
  explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF clr);  // while open

  CHOOSECOLORA m_cc = {};
  // The custom colours shared by every colour dialog of the program.
  static COLORREF c_CustColors[16];
};

class CFontDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFontDialog)
 public:
  explicit CFontDialog(const LOGFONT* lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                       CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
  INT_PTR DoModal() override;
  void GetCurrentFont(LPLOGFONT lplf) const { *lplf = m_lf; }
  CString GetFaceName() const { return m_lf.lfFaceName; }
  int GetSize() const { return m_cf.iPointSize; }  // tenths of a point
  COLORREF GetColor() const { return m_cf.rgbColors; }
  int GetWeight() const { return m_lf.lfWeight; }
  BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
  BOOL IsItalic() const { return m_lf.lfItalic != 0; }
  BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
  BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }

  CHOOSEFONTA m_cf = {};
  LOGFONT m_lf = {};
};
