#include "ndim/dialogs/AcquisitionDialog.h"

#include "ndim/data/DimensionBlock.h"

namespace {

// What a spectrometer can have: from earth-field instruments up, and no
// wider than a digitiser samples.
const float kLeastFrequency = 0.001f;  // MHz
const float kMostFrequency = 10000.0f;
const float kLeastWidth = 0.001f;  // Hz
const float kMostWidth = 1.0e7f;

}  // namespace

CAcquisitionDialog::CAcquisitionDialog(DimensionBlock* dims, CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd), m_dims(dims) {}

BOOL CAcquisitionDialog::OnInitDialog() {
  m_fF2Carrier = m_dims[2].m_fSpectrometerFreq;
  m_fF2Width = m_dims[2].m_fSpectralWidth;
  m_fF1Carrier = m_dims[1].m_fSpectrometerFreq;
  m_fF1Width = m_dims[1].m_fSpectralWidth;
  return CDialog::OnInitDialog();
}

void CAcquisitionDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_F2_CARRIER, m_fF2Carrier);
  DDV_MinMaxFloat(pDX, m_fF2Carrier, kLeastFrequency, kMostFrequency);
  DDX_Text(pDX, IDC_F2_WIDTH, m_fF2Width);
  DDV_MinMaxFloat(pDX, m_fF2Width, kLeastWidth, kMostWidth);
  DDX_Text(pDX, IDC_F1_CARRIER, m_fF1Carrier);
  DDV_MinMaxFloat(pDX, m_fF1Carrier, kLeastFrequency, kMostFrequency);
  DDX_Text(pDX, IDC_F1_WIDTH, m_fF1Width);
  DDV_MinMaxFloat(pDX, m_fF1Width, kLeastWidth, kMostWidth);
}

void CAcquisitionDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;
  m_dims[2].m_fSpectrometerFreq = m_fF2Carrier;
  m_dims[2].m_fSpectralWidth = m_fF2Width;
  m_dims[1].m_fSpectrometerFreq = m_fF1Carrier;
  m_dims[1].m_fSpectralWidth = m_fF1Width;
  EndDialog(IDOK);
}
