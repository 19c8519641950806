#include "onedim/dialogs/display/ParametersDlg.h"

#include "framework/win/Dc.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/TextLabel.h"

BEGIN_MESSAGE_MAP(CParametersDlg, CPropertyPage)
  ON_WM_CTLCOLOR()
  ON_WM_DESTROY()
  ON_BN_CLICKED(IDC_PROP_PRINT, OnPrintOverSpectrum)
END_MESSAGE_MAP()

namespace {

const int kReadOnlyIds[4] = {IDC_PROP_POINTS, IDC_PROP_SF, IDC_PROP_SW, IDC_PROP_AQ};

void ShowValue(CWnd* pPage, int nID, LPCSTR lpszFormat, double dValue) {
  CString text;
  text.Format(lpszFormat, dValue);
  pPage->SetDlgItemText(nID, text);
}

}  // namespace

BOOL CParametersDlg::OnInitDialog() {
  m_BlackBrush.CreateSolidBrush(RGB(0, 0, 0));
  for (int i = 0; i < 4; ++i)
    m_Edits[i].SubclassDlgItem(kReadOnlyIds[i], this);
  m_ByteOrder.SubclassDlgItem(IDC_PROP_BYTE_ORDER, this);
  m_ByteOrder.AddString("Little endian");
  m_ByteOrder.AddString("Big endian");
  return CPropertyPage::OnInitDialog();
}

void CParametersDlg::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  // The acquisition values only go out: what is typed or pasted there
  // never reaches the spectrum, whose buffers they describe.
  if (!pDX->m_bSaveAndValidate) {
    CString text;
    text.Format("%d", m_nDataPoints);
    SetDlgItemText(IDC_PROP_POINTS, text);
    ShowValue(this, IDC_PROP_SF, "%.3f", m_fFrequency);
    ShowValue(this, IDC_PROP_SW, "%.3f", m_fSpectralWidth);
    ShowValue(this, IDC_PROP_AQ, "%.3f", m_fAcqTime);
  }
  // The flag means what it means to the readers and to Edit Parameters:
  // 1 for words stored most significant byte first.
  const int kBigEndianEntry = 1;
  int nSelection = m_nByteOrder == 1 ? kBigEndianEntry : 0;
  DDX_CBIndex(pDX, IDC_PROP_BYTE_ORDER, nSelection);
  if (pDX->m_bSaveAndValidate)
    m_nByteOrder = nSelection == kBigEndianEntry ? 1 : 0;
  DDX_Text(pDX, IDC_PROP_TITLE, m_strTitle);
}

HBRUSH CParametersDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_EDIT || nCtlColor == CTLCOLOR_MSGBOX) {
    pDC->SetTextColor(RGB(0, 255, 0));
    pDC->SetBkColor(RGB(0, 0, 0));
    return (HBRUSH)m_BlackBrush.m_hObject;
  }
  return CPropertyPage::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CParametersDlg::OnDestroy() {
  m_BlackBrush.DeleteObject();
  Default();
}

CString CParametersDlg::FormatParameterText(const CSpectrum& spectrum) {
  const CSpectrumParams& params = spectrum.m_paramsA;
  CString text, part;
  text.Format("SF=%.2lf", params.sf);
  part.Format("    SW=%.2lf", params.sw);
  text += part;
  part.Format("    AQ=%.2lf", spectrum.GetAcquisitionTime());
  text += part;
  part.Format("    TD=%d", params.td);
  text += part;
  switch (spectrum.m_Scale.m_nUnits) {
    case 2:
      text += "     Units=Hz";
      break;
    case 3:
      text += "     Units=ppm";
      break;
    case 0:
      text += "     Units=Points";
      break;
    case 1:
      text += "     Units=Seconds";
      break;
    default:
      break;
  }
  return text;
}

void CParametersDlg::OnPrintOverSpectrum() {
  if (m_pSpectrum == nullptr)
    return;
  // The label takes the font the screen DC starts with.
  LOGFONT lf = {};
  {
    CClientDC dc(nullptr);
    ::GetObjectA(::GetCurrentObject(dc.m_hDC, OBJ_FONT), sizeof(lf), &lf);
  }
  CTextLabel* pLabel =
      new CTextLabel(FormatParameterText(*m_pSpectrum), &lf, m_pSpectrum, RGB(0, 0, 0), TRUE, 100, 100);
  pLabel->m_nAlign = TEXT_ALIGN_LEFT;
  m_pSpectrum->m_arrLabels.Add(pLabel);
  // The label is saved with the document: closing must not lose it unasked.
  if (m_pDoc != nullptr) {
    m_pDoc->SetModified();
    m_pDoc->UpdateViews();
  }
}
