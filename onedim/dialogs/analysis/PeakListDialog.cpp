#include "onedim/dialogs/analysis/PeakListDialog.h"


#include "framework/win/Clipboard.h"
#include "onedim/dialogs/analysis/DialogToolBar.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/PeakList.h"
#include "onedim/model/Spectrum.h"
#include "onedim/print/ListPrintJob.h"
#include "resources/BrivaneRes.h"

BEGIN_MESSAGE_MAP(CPeakListDialog, CBaseDialog)
  ON_WM_DESTROY()
  ON_COMMAND(ID_PEAKS_PRINT, OnPrint)
  ON_COMMAND(ID_PEAKS_CUSTOMIZE, OnCustomize)
  ON_COMMAND(ID_PEAKS_COPY, OnCopy)
  ON_COMMAND(ID_PEAKS_DELETE, OnDelete)
  ON_COMMAND(ID_PEAKS_DELETE_ALL, OnDeleteAll)
  ON_COMMAND(ID_PEAKS_EXPORT, OnExport)
  ON_NOTIFY(NM_CLICK, IDC_PEAK_LIST, OnClickList)
  ON_NOTIFY(NM_CUSTOMDRAW, IDC_PEAK_LIST, OnCustomDrawList)
  ON_MESSAGE(WMU_LIST_HOT_ITEM, OnHotItem)
END_MESSAGE_MAP()

CPeakListDialog::CPeakListDialog(CBrivaneProDoc* pDoc, CWnd* pParent)
    : CBaseDialog(IDD_PEAK_LIST, pParent), m_pDoc(pDoc) {}

BOOL CPeakListDialog::CreateModeless(CWnd* pParent) {
  SetModeless(true);
  return Create(IDD_PEAK_LIST, pParent);
}

CSpectrum* CPeakListDialog::Spectrum() const {
  return m_pDoc != nullptr ? m_pDoc->GetCurrentSpectrum() : nullptr;
}

BOOL CPeakListDialog::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  m_List.SubclassDlgItem(IDC_PEAK_LIST, this);
  CreateDialogToolBar(m_ToolBar, this, IDR_PEAKLIST);
  CRect rcList;
  m_List.GetClientRect(&rcList);
  const int w = rcList.Width();
  const char* titles[] = {"Index", "Point", "ppm", "Hertz", "Height"};
  for (int c = 0; c < 5; c++)
    m_List.InsertColumn(c, titles[c], LVCFMT_CENTER, c == 0 ? w / 6 : w / 5);
  m_List.SetExtendedStyle(0x961);  // grid lines, full row, one click, flat scroll bars, underline hot
  FillList();
  return TRUE;
}

void CPeakListDialog::FillList() {
  const CSpectrum* s = Spectrum();
  if (s == nullptr)
    return;
  const int nRows = GetPeakListRowCount(*s);
  for (int r = 0; r < nRows; r++) {
    CPeakListRow row;
    if (!GetPeakListRow(*s, r, row))
      break;
    const int nItem = m_List.InsertItem(m_List.GetItemCount(), row.strCells[0]);
    for (int c = 1; c < 5; c++)
      m_List.SetItemText(nItem, c, row.strCells[c]);
  }
}

void CPeakListDialog::Rebuild() {
  m_List.SetRedraw(FALSE);
  m_List.DeleteAllItems();
  FillList();
  m_List.SetRedraw(TRUE);
  m_List.Invalidate();
}

void CPeakListDialog::ClearMark() {
  if (CSpectrum* s = Spectrum())
    s->m_bSelectedPeakShown = 0;
  if (m_pDoc != nullptr)
    m_pDoc->UpdateViews();
}

void CPeakListDialog::OnDestroy() {
  if (m_pDoc != nullptr) {
    m_pDoc->m_bPeakListOpen = 0;
    m_pDoc->m_pPeakList = nullptr;
    ClearMark();
  }
  CBaseDialog::OnDestroy();
}

void CPeakListDialog::PrintList(BOOL bSetup) {
  SetAppPrinterOrientation(FALSE);
  m_List.DeleteColumn(1);  // "Point"
  CListPrintJob job;
  job.m_pParent = this;
  job.m_pList = &m_List;
  job.m_bShowSetupDialog = bSetup;
  job.m_bPrintGrid = m_bPrintGrid;
  job.m_strHeader = "Brivane\r\nPeak List\r\n";
  job.m_strPageFormat = "Page %d of %d";
  job.m_strFooter.Format(bSetup ? "%s" : "Current time is %s\n", static_cast<const char*>(LocalTimeText()));
  job.Print();
  m_bPrintGrid = job.m_bPrintGrid;
  m_List.DeleteAllItems();
  CRect rcList;
  m_List.GetClientRect(&rcList);
  m_List.InsertColumn(1, "Point", LVCFMT_CENTER, rcList.Width() / 6);
  FillList();
  SetAppPrinterOrientation(TRUE);
}

void CPeakListDialog::OnPrint() {
  PrintList(FALSE);
}

void CPeakListDialog::OnCustomize() {
  PrintList(TRUE);
}

void CPeakListDialog::OnCopy() {
  if (const CSpectrum* s = Spectrum())
    CClipboard::CopyText(m_hWnd, PeakListClipboardText(*s));
}

void CPeakListDialog::OnExport() {
  if (const CSpectrum* s = Spectrum())
    CClipboard::CopyText(m_hWnd, PeakExportText(*s, m_pDoc->m_nExportDecimals, m_pDoc->m_nExportSeparator == 1));
}

void CPeakListDialog::OnDelete() {
  CSpectrum* s = Spectrum();
  int nRecord = 0, nPoint = 0;
  if (s == nullptr || !PeakOfRow(*s, m_List.GetNextItem(-1, LVNI_SELECTED), nRecord, nPoint))
    return;
  DeletePeak(*s, nRecord, nPoint);
  Rebuild();
  ClearMark();
}

void CPeakListDialog::OnDeleteAll() {
  if (CSpectrum* s = Spectrum()) {
    DeleteAllPeaks(*s);
    Rebuild();
    ClearMark();
  }
}

void CPeakListDialog::ShowRow(int nRow) {
  CSpectrum* s = Spectrum();
  if (s == nullptr)
    return;
  int nRecord = 0, nPoint = 0;
  if (PeakOfRow(*s, nRow, nRecord, nPoint)) {
    m_pDoc->m_nSelectedPeakRecord = nRecord;
    m_pDoc->m_nSelectedPeak = nPoint;
    s->m_bSelectedPeakShown = 1;
    m_pDoc->UpdateViews();
  } else if (s->m_bSelectedPeakShown) {
    ClearMark();
  }
}

void CPeakListDialog::OnClickList(NMHDR* pNotify, LRESULT* pResult) {
  ShowRow(reinterpret_cast<NMITEMACTIVATE*>(pNotify)->iItem);
  *pResult = 0;
}

LRESULT CPeakListDialog::OnHotItem(WPARAM wParam, LPARAM) {
  ShowRow((int)(INT_PTR)wParam);
  return 0;
}

void CPeakListDialog::OnCustomDrawList(NMHDR* pNotify, LRESULT* pResult) {
  NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNotify);
  *pResult = CDRF_DODEFAULT;
  if (pDraw->nmcd.dwDrawStage == CDDS_PREPAINT) {
    *pResult = CDRF_NOTIFYITEMDRAW;
  } else if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
    const CSpectrum* s = Spectrum();
    int nRecord = 0, nPoint = 0;
    if (s != nullptr && !PeakOfRow(*s, (int)pDraw->nmcd.dwItemSpec, nRecord, nPoint))
      pDraw->clrText = RGB(255, 0, 0);  // the FROM and TO rows of a region
  }
}
