#include "onedim/dialogs/files/EditParametersDialog.h"

#include <climits>

namespace {

// The labels in the order of CEditParametersDialog's Label* indices, with
// the parameter key that marks each.
const struct {
  int nID;
  const char* pszKey;
} kLabels[] = {
    {IDC_PARAM_SF_LABEL, "sf"},
    {IDC_PARAM_SW_LABEL, "sw"},
    {IDC_PARAM_TD_LABEL, "td"},
    {IDC_PARAM_BYTE_ORDER_LABEL, "byteorder"},
};

const COLORREF kNormalColour = RGB(0, 0, 0);
const COLORREF kMarkedColour = RGB(255, 0, 0);

const int kBigEndianEntry = 1;

}  // namespace

BEGIN_MESSAGE_MAP(CEditParametersDialog, CDialog)
  ON_EN_CHANGE(IDC_PARAM_SF, OnChangeSf)
  ON_EN_CHANGE(IDC_PARAM_SW, OnChangeSw)
  ON_EN_CHANGE(IDC_PARAM_TD, OnChangeTd)
  ON_CBN_SELCHANGE(IDC_PARAM_BYTE_ORDER, OnSelChangeByteOrder)
  ON_BN_CLICKED(IDC_PARAM_OK, OnOK)
END_MESSAGE_MAP()

void CEditParametersDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_PARAM_SF, m_sf);
  DDV_MinMaxDouble(pDX, m_sf, 0.0, 1000000.0);
  DDX_Text(pDX, IDC_PARAM_SW, m_sw);
  DDV_MinMaxDouble(pDX, m_sw, 0.0, 1e12);
  DDX_Text(pDX, IDC_PARAM_TD, m_td);
  DDV_MinMaxInt(pDX, m_td, 0, INT_MAX);
}

BOOL CEditParametersDialog::OnInitDialog() {
  for (int i = 0; i < LabelCount; ++i)
    m_Labels[i].SubclassDlgItem(kLabels[i].nID, this);
  // Filling the edits raises their change notices; the marks come after.
  CDialog::OnInitDialog();

  CString strDescription;
  for (int i = 0; i < LabelCount; ++i)
    SetLabelLook(i, FALSE);
  for (int i = 0; i < LabelCount; ++i)
    if (m_Missing.Lookup(kLabels[i].pszKey, strDescription))
      SetLabelLook(i, TRUE);

  SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_ADDSTRING, 0, (LPARAM) "Little Endian");
  SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_ADDSTRING, 0, (LPARAM) "Big Endian");
  if (m_nByteOrder == 0 || m_nByteOrder == 1)
    SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_SETCURSEL, (WPARAM)m_nByteOrder);
  return TRUE;
}

void CEditParametersDialog::OnSelChangeByteOrder() {
  SetLabelLook(LabelByteOrder, FALSE);
  int nSel = (int)SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_GETCURSEL);
  m_nByteOrder = nSel == kBigEndianEntry ? 1 : 0;
}

void CEditParametersDialog::SetLabelLook(int nLabel, BOOL bMarked) {
  if (m_Labels[nLabel].m_hWnd == nullptr)
    return;
  m_Labels[nLabel]
      .SetTextColor(bMarked ? kMarkedColour : kNormalColour)
      .SetFontBold(TRUE)
      .SetFontItalic(TRUE)
      .SetFontUnderline(bMarked);
}
