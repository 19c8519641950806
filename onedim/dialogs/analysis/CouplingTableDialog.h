// CCouplingTableDialog: the modeless table of the current spectrum's
// coupling constants, one row per reference and partner line, with a check
// box that draws the pair's bracket on the spectrum. Hovering over a row
// marks its pair; the toolbar copies, deletes a pair or starts a new
// measurement. The document keeps the dialog while it is open; the dialog
// deletes itself when closed.
#pragma once

#include "controls/BaseDialog.h"
#include "controls/HoverListCtrl.h"
#include "framework/win/ToolBar.h"

class CBrivaneProDoc;
class CSpectrum;

class CCouplingTableDialog : public CBaseDialog {
 public:
  CCouplingTableDialog(CBrivaneProDoc* pDoc, CWnd* pParent);

  // Creates the modeless window; FALSE when it could not be made.
  BOOL CreateModeless(CWnd* pParent);
  // One row per pair, ticked where the pair is shown.
  void FillList();
  // Empties and fills the list with its redraw off.
  void Rebuild();
  // The document is going away: closing must not touch it.
  void ForgetDocument() { m_pDoc = nullptr; }

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  void OnClose();
  void OnDestroy();
  void OnPrint();
  void OnCopy();
  void OnDelete();
  void OnReset();
  void OnItemChanged(NMHDR* pNotify, LRESULT* pResult);
  LRESULT OnHotItem(WPARAM wParam, LPARAM);

 private:
  CSpectrum* Spectrum() const;
  // Ends the measurement in progress and waits for a new reference line.
  void RestartMeasuring();

  CBrivaneProDoc* m_pDoc;
  CHoverListCtrl m_List;
  CToolBar m_ToolBar;
  BOOL m_bFilling = FALSE;  // the list's own check-box changes while it is filled

  DECLARE_MESSAGE_MAP()
};
