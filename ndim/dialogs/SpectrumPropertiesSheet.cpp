#include "ndim/dialogs/SpectrumPropertiesSheet.h"

CSpectrumPropertiesSheet::CSpectrumPropertiesSheet(CWnd* pParentWnd)
    : CPropertySheet("Spectrum Properties", pParentWnd) {
  AddPage(&m_parametersPage);
}
