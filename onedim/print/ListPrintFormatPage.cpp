#include "onedim/print/ListPrintFormatPage.h"

#include <cstdlib>

#include "resources/BrivaneRes.h"

namespace {

const int kPointSizes[] = {6, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22};

// The face's entry, or the first one when the list has no such face.
void SelectFace(CFontListCombo& combo, const CString& face) {
  const int nIndex = combo.FindStringExact(-1, face);
  combo.SetCurSel(nIndex != CB_ERR ? nIndex : 0);
}

CString SelectedFace(const CFontListCombo& combo, const CString& fallback) {
  const int nIndex = combo.GetCurSel();
  if (nIndex == CB_ERR)
    return fallback;
  CString face;
  combo.GetLBText(nIndex, face);
  return face;
}

void ExchangeSize(CDataExchange* pDX, int nIDC, int& nSize) {
  CString text;
  if (!pDX->m_bSaveAndValidate)
    text.Format("%d", nSize);
  DDX_CBString(pDX, nIDC, text);
  if (pDX->m_bSaveAndValidate)
    nSize = std::atoi(text);
}

}  // namespace

CListPrintFormatPage::CListPrintFormatPage() : CDialog(IDD_LIST_PRINT_FORMAT) {}

BOOL CListPrintFormatPage::Create(CWnd* pParent, CListPrintOptions* pOptions) {
  m_pOptions = pOptions;
  return CDialog::Create(IDD_LIST_PRINT_FORMAT, pParent);
}

BOOL CListPrintFormatPage::OnInitDialog() {
  m_HeaderFace.SubclassDlgItem(IDC_LP_HEADER_FACE, this);
  m_FooterFace.SubclassDlgItem(IDC_LP_FOOTER_FACE, this);
  m_ContentFace.SubclassDlgItem(IDC_LP_CONTENT_FACE, this);
  for (CFontListCombo* pCombo : {&m_HeaderFace, &m_FooterFace, &m_ContentFace})
    pCombo->Fill();
  for (int nID : {IDC_LP_HEADER_SIZE, IDC_LP_FOOTER_SIZE, IDC_LP_CONTENT_SIZE}) {
    for (int nSize : kPointSizes) {
      char text[8];
      wsprintfA(text, "%d", nSize);
      SendDlgItemMessage(nID, CB_ADDSTRING, 0, (LPARAM)text);
    }
  }
  return CDialog::OnInitDialog();
}

void CListPrintFormatPage::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  if (m_pOptions == nullptr)
    return;
  CListPrintOptions& o = *m_pOptions;
  if (pDX->m_bSaveAndValidate) {
    o.strHeaderFace = SelectedFace(m_HeaderFace, o.strHeaderFace);
    o.strFooterFace = SelectedFace(m_FooterFace, o.strFooterFace);
    o.strContentFace = SelectedFace(m_ContentFace, o.strContentFace);
  } else {
    SelectFace(m_HeaderFace, o.strHeaderFace);
    SelectFace(m_FooterFace, o.strFooterFace);
    SelectFace(m_ContentFace, o.strContentFace);
  }
  ExchangeSize(pDX, IDC_LP_HEADER_SIZE, o.nHeaderSize);
  ExchangeSize(pDX, IDC_LP_FOOTER_SIZE, o.nFooterSize);
  ExchangeSize(pDX, IDC_LP_CONTENT_SIZE, o.nContentSize);
  DDX_Text(pDX, IDC_LP_HEADER_TEXT, o.strHeader);
  DDX_Text(pDX, IDC_LP_FOOTER_TEXT, o.strFooter);
  DDX_Text(pDX, IDC_LP_PAGE_FORMAT, o.strPageFormat);
}
