#include "onedim/dialogs/analysis/PeakInfoDialog.h"

#include "resources/BrivaneRes.h"

CPeakInfoDialog::CPeakInfoDialog(const CPeakInformation& info, CWnd* pParent)
    : CDialog(IDD_PEAK_INFO, pParent), m_Info(info) {}

BOOL CPeakInfoDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  const struct {
    UINT nID;
    double dValue;
  } fields[] = {{IDC_PEAK_HZ, m_Info.dHz},
                {IDC_PEAK_PPM, m_Info.dPpm},
                {IDC_PEAK_WIDTH, m_Info.dWidthHz},
                {IDC_PEAK_RESOLUTION, m_Info.dResolution},
                {IDC_PEAK_POINTS, m_Info.dPointsPerWidth},
                {IDC_PEAK_SN, m_Info.dSignalToNoise}};
  for (const auto& field : fields) {
    CString text;
    text.Format("%.3lf", field.dValue);
    SetDlgItemText(field.nID, text);
  }
  return TRUE;
}
