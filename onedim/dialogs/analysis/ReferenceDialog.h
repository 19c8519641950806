// CReferenceDialog: the shift a picked point should have, typed or taken
// from the user's list of reference signals (solvents and TMS), which the
// dialog keeps in solvents.map beside the program. The caller sets the
// point's current shift; on OK it reads the shift back and references the
// spectrum. OK also writes the list; Cancel leaves the file alone.
#pragma once

#include "controls/BaseDialog.h"
#include "framework/win/CommonControls.h"
#include "framework/win/Controls.h"
#include "framework/win/ToolBar.h"
#include "onedim/model/SolventTable.h"

class CReferenceDialog : public CBaseDialog {
 public:
  explicit CReferenceDialog(CWnd* pParent);

  CString m_strName;
  CString m_strShift;  // ppm, as typed
  // solvents.map; empty: the one beside the running program.
  CString m_strPath;

 protected:
  // The 2D program's dialog: the same controls under its own template and
  // toolbar.
  CReferenceDialog(UINT nIDTemplate, UINT nIDToolBar, CWnd* pParent);

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  void OnSelectEntry();
  void OnAdd();
  void OnRemove();
  void OnRemoveAll();

 private:
  void FillList();
  // The list entry that shows a name with its stored shift, or -1.
  int FindEntry(LPCSTR pszName) const;

  CSolventTable m_Table;
  UINT m_nIDToolBar;
  CToolBar m_ToolBar;
  CListBox m_List;
  CSpinButtonCtrl m_Spin;

  DECLARE_MESSAGE_MAP()
};
