// CDialog: a dialog from a template in the resources, modal (DoModal runs
// the framework's own loop, so PreTranslateMessage and WM_KICKIDLE work) or
// modeless (Create). OnInitDialog fills the controls from the members
// (UpdateData(FALSE)); OnOK reads them back with validation.
#pragma once

#include "framework/win/DataExchange.h"
#include "framework/win/Wnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog() = default;
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

  // IDOK, IDCANCEL or the value given to EndDialog; -1 when the dialog
  // could not be created.
  virtual INT_PTR DoModal();
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  BOOL CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);
  // Ends a modal dialog with nResult; hides a modeless one.
  void EndDialog(int nResult);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  // Keys of the dialog's accelerators become its own commands, sent to it;
  // the other keys go to the dialog manager.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The accelerators of a resource, for the dialog's keys; FALSE when the
  // resource holds none.
  BOOL LoadAccelTable(LPCSTR lpszResourceName);

  void GotoDlgCtrl(CWnd* pWndCtrl);
  void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
  void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
  void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
  DWORD GetDefID() const { return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0); }
  void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

  LPCSTR m_lpszTemplateName = nullptr;  // a name, or MAKEINTRESOURCE of the id
  UINT m_nIDHelp = 0;                   // the template id
  CWnd* m_pParentWnd = nullptr;
  HACCEL m_hAccelTable = nullptr;  // none: every key is the dialog manager's

 protected:
  LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  // The window that owns a modal dialog: the parent's top-level window, or
  // the program's active window.
  HWND ModalOwner() const;
  BOOL CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HWND hWndParent);

  DECLARE_MESSAGE_MAP()
};
