#include "onedim/dialogs/analysis/CouplingTableDialog.h"

#include "framework/win/Clipboard.h"
#include "onedim/dialogs/analysis/DialogToolBar.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/CouplingTable.h"
#include "onedim/model/Spectrum.h"
#include "onedim/print/ListPrintJob.h"
#include "resources/BrivaneRes.h"

BEGIN_MESSAGE_MAP(CCouplingTableDialog, CBaseDialog)
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_COMMAND(ID_COUPLING_PRINT, OnPrint)
  ON_COMMAND(ID_COUPLING_COPY, OnCopy)
  ON_COMMAND(ID_COUPLING_DELETE, OnDelete)
  ON_COMMAND(ID_COUPLING_RESET, OnReset)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_COUPLING_LIST, OnItemChanged)
  ON_MESSAGE(WMU_LIST_HOT_ITEM, OnHotItem)
END_MESSAGE_MAP()

namespace {

CString Hz(double dValue) {
  CString text;
  text.Format("%.3lf", dValue);
  return text;
}

}  // namespace

CCouplingTableDialog::CCouplingTableDialog(CBrivaneProDoc* pDoc, CWnd* pParent)
    : CBaseDialog(IDD_COUPLING_TABLE, pParent), m_pDoc(pDoc) {}

BOOL CCouplingTableDialog::CreateModeless(CWnd* pParent) {
  SetModeless(true);
  return Create(IDD_COUPLING_TABLE, pParent);
}

CSpectrum* CCouplingTableDialog::Spectrum() const {
  return m_pDoc != nullptr ? m_pDoc->GetCurrentSpectrum() : nullptr;
}

BOOL CCouplingTableDialog::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  m_List.SubclassDlgItem(IDC_COUPLING_LIST, this);
  CreateDialogToolBar(m_ToolBar, this, IDR_COUPLING_BAR);
  CRect rcList;
  m_List.GetClientRect(&rcList);
  const char* titles[] = {"Shift 1", "Shift 2", "J (1-2)"};
  for (int c = 0; c < 3; c++)
    m_List.InsertColumn(c, titles[c], LVCFMT_CENTER, rcList.Width() / 3);
  // Grid lines, check boxes, full row, one click, flat scroll bars, underline hot.
  m_List.SetExtendedStyle(0x965);
  FillList();
  return TRUE;
}

void CCouplingTableDialog::FillList() {
  const CSpectrum* s = Spectrum();
  if (s == nullptr)
    return;
  m_bFilling = TRUE;
  CCouplingRow row;
  for (int r = 0; GetCouplingRow(*s, r, row); r++) {
    const int nItem = m_List.InsertItem(m_List.GetItemCount(), Hz(row.dShift1));
    m_List.SetItemText(nItem, 1, Hz(row.dShift2));
    m_List.SetItemText(nItem, 2, Hz(row.dJ));
    m_List.SetCheck(nItem, IsCouplingShown(*s, r));
  }
  m_bFilling = FALSE;
}

void CCouplingTableDialog::Rebuild() {
  m_List.SetRedraw(FALSE);
  m_bFilling = TRUE;
  m_List.DeleteAllItems();
  FillList();
  m_List.SetRedraw(TRUE);
  m_List.Invalidate();
}

void CCouplingTableDialog::OnItemChanged(NMHDR* pNotify, LRESULT* pResult) {
  const NMLISTVIEW* p = reinterpret_cast<NMLISTVIEW*>(pNotify);
  *pResult = 0;
  CSpectrum* s = Spectrum();
  if (m_bFilling || s == nullptr || (p->uChanged & LVIF_STATE) == 0 ||
      ((p->uNewState ^ p->uOldState) & LVIS_STATEIMAGEMASK) == 0)
    return;
  if (SetCouplingShown(*s, p->iItem, m_List.GetCheck(p->iItem)))
    m_pDoc->UpdateViews();
}

LRESULT CCouplingTableDialog::OnHotItem(WPARAM wParam, LPARAM) {
  CSpectrum* s = Spectrum();
  CCouplingRow row;
  if (s != nullptr && GetCouplingRow(*s, (int)(INT_PTR)wParam, row)) {
    m_pDoc->m_nSelectedCoupling = row.nMeasure;
    m_pDoc->m_nSelectedCouplingEntry = row.nPartner;
    s->m_bSelectedJShown = 1;
    m_pDoc->UpdateViews();
  }
  return 0;
}

void CCouplingTableDialog::RestartMeasuring() {
  if (CSpectrum* s = Spectrum())
    s->m_bMeasuringJ = 0;
  m_pDoc->m_nMouseMode = MOUSE_COUPLING_REFERENCE;
  m_pDoc->UpdateViews();
}

void CCouplingTableDialog::OnCopy() {
  if (const CSpectrum* s = Spectrum())
    CClipboard::CopyText(m_hWnd, CouplingClipboardText(*s));
}

void CCouplingTableDialog::OnDelete() {
  CSpectrum* s = Spectrum();
  if (s == nullptr || !DeleteCouplingRow(*s, m_List.GetNextItem(-1, LVNI_SELECTED)))
    return;
  Rebuild();
  s->m_bSelectedJShown = 0;
  RestartMeasuring();
}

void CCouplingTableDialog::OnReset() {
  if (m_pDoc != nullptr)
    RestartMeasuring();
}

// Printed upright with the set-up dialog and grid lines; the program's
// printer goes back to landscape afterwards.
void CCouplingTableDialog::OnPrint() {
  SetAppPrinterOrientation(FALSE);
  CListPrintJob job;
  job.m_pParent = this;
  job.m_pList = &m_List;
  job.m_bShowSetupDialog = TRUE;
  job.m_bPrintGrid = TRUE;
  job.m_strHeader = "Brivane\r\nCoupling constants\r\n";
  job.m_strPageFormat = "Page %d of %d";
  job.m_strFooter = LocalTimeText();
  job.Print();
  SetAppPrinterOrientation(TRUE);
}

void CCouplingTableDialog::OnCancel() {
  if (m_pDoc != nullptr) {
    m_pDoc->m_nMouseMode = MOUSE_NONE;
    if (CSpectrum* s = Spectrum()) {
      s->m_bSelectedJShown = 0;
      s->m_bMeasuringJ = 0;
      for (int r = 0; r < m_List.GetItemCount(); r++)
        SetCouplingShown(*s, r, m_List.GetCheck(r));
    }
    m_pDoc->UpdateViews();
  }
  CBaseDialog::OnCancel();
}

void CCouplingTableDialog::OnClose() {
  if (m_pDoc != nullptr) {
    if (CSpectrum* s = Spectrum())
      s->m_bMeasuringJ = 0;
    m_pDoc->m_nMouseMode = MOUSE_NONE;
    m_pDoc->UpdateViews();
  }
  CBaseDialog::OnClose();
}

void CCouplingTableDialog::OnDestroy() {
  if (m_pDoc != nullptr)
    m_pDoc->m_pCouplingTable = nullptr;
  CBaseDialog::OnDestroy();
}
