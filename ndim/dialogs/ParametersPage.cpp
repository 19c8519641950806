#include "ndim/dialogs/ParametersPage.h"

#include <cstdio>

#include "ndim/data/DimensionBlock.h"
#include "ndim/dialogs/AcquisitionDialog.h"

namespace {

// Grid lines, flat scroll bars and underlined hot items.
const DWORD kListStyle = LVS_EX_GRIDLINES | LVS_EX_FLATSB | LVS_EX_UNDERLINEHOT;

}  // namespace

BEGIN_MESSAGE_MAP(CParametersPage, CPropertyPage)
  ON_CBN_SELCHANGE(IDC_DIMENSION_COMBO, OnSelChangeDimension)
  ON_BN_CLICKED(IDC_MODIFY_PARAMETERS, OnModifyParameters)
END_MESSAGE_MAP()

void CParametersPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_DIMENSION_COMBO, m_comboDimension);
  DDX_Control(pDX, IDC_PARAMETER_LIST, m_listParameters);
}

BOOL CParametersPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  char text[16];
  for (int dim = 1; dim <= m_nDimensions; ++dim) {
    std::snprintf(text, sizeof text, "%d", dim);
    m_comboDimension.AddString(text);
  }
  m_comboDimension.SetCurSel(0);

  m_listParameters.SetExtendedStyle(kListStyle);
  CRect client;
  m_listParameters.GetClientRect(&client);
  m_listParameters.InsertColumn(0, "Parameter", LVCFMT_CENTER, client.Width() / 2);
  m_listParameters.InsertColumn(1, "Value", LVCFMT_CENTER, client.Width() / 2);
  FillList(1);
  return TRUE;
}

void CParametersPage::FillList(int dim) {
  m_listParameters.DeleteAllItems();
  if (m_pDimensions == nullptr || dim < 1 || dim > m_nDimensions)
    return;
  const DimensionBlock& block = m_pDimensions[dim];
  char value[64];
  int row = 0;
  auto add = [&](LPCSTR name) {
    m_listParameters.InsertItem(row, name);
    m_listParameters.SetItemText(row, 1, value);
    ++row;
  };
  std::snprintf(value, sizeof value, "F%d", dim);
  add("Dimension");
  std::snprintf(value, sizeof value, "%.3f", block.m_fSpectrometerFreq);
  add("Spectrometer Frequency");
  std::snprintf(value, sizeof value, "%d", block.m_nPoints);
  add("Number of Points");
  std::snprintf(value, sizeof value, "%.3f", block.m_fSpectralWidth);
  add("Spectral Width");
  std::snprintf(value, sizeof value, "%.3f", block.m_fLastFrequency);
  add("Lowest Frequency (high fields)");
}

void CParametersPage::OnSelChangeDimension() {
  FillList(m_comboDimension.GetCurSel() + 1);
}

void CParametersPage::OnModifyParameters() {
  if (m_pDimensions == nullptr)
    return;
  CAcquisitionDialog dlg(m_pDimensions, this);
  if (dlg.DoModal() == IDOK)
    FillList(m_comboDimension.GetCurSel() + 1);
}
