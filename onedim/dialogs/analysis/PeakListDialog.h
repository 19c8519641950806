// CPeakListDialog: the modeless list of the current spectrum's picked peaks,
// with a toolbar to print, copy, delete and export them. Clicking or hovering over
// a peak row marks that peak in the views. The document keeps the dialog
// while it is open; the dialog deletes itself when closed.
#pragma once

#include "controls/BaseDialog.h"
#include "controls/HoverListCtrl.h"
#include "framework/win/ToolBar.h"

class CBrivaneProDoc;
class CSpectrum;

class CPeakListDialog : public CBaseDialog {
 public:
  CPeakListDialog(CBrivaneProDoc* pDoc, CWnd* pParent);

  // Creates the modeless window; FALSE when it could not be made.
  BOOL CreateModeless(CWnd* pParent);
  // Appends a row for every FROM, TO and peak of the current spectrum.
  void FillList();
  // Empties and fills the list with its redraw off.
  void Rebuild();
  // The document is going away: closing must not touch it.
  void ForgetDocument() { m_pDoc = nullptr; }

 protected:
  BOOL OnInitDialog() override;
  void OnDestroy();
  void OnPrint();
  void OnCustomize();
  void OnCopy();
  void OnDelete();
  void OnDeleteAll();
  void OnExport();
  void OnClickList(NMHDR* pNotify, LRESULT* pResult);
  void OnCustomDrawList(NMHDR* pNotify, LRESULT* pResult);
  LRESULT OnHotItem(WPARAM wParam, LPARAM);

 private:
  CSpectrum* Spectrum() const;
  // Marks the peak of a row; a row that is no peak clears the mark.
  void ShowRow(int nRow);
  void ClearMark();
  // Prints the list without its "Point" column, on a portrait page; with
  // bSetup the list print set-up comes first.
  void PrintList(BOOL bSetup);

  CBrivaneProDoc* m_pDoc;
  CHoverListCtrl m_List;
  CToolBar m_ToolBar;
  int m_bPrintGrid = 0;  // kept from one print to the next while the dialog is open

  DECLARE_MESSAGE_MAP()
};
