// CSpectrumPropertiesSheet: the "Spectrum Properties" sheet of a 2D data
// set, holding its parameters page.
#pragma once

#include "framework/win/PropertySheet.h"
#include "ndim/dialogs/ParametersPage.h"

class CSpectrumPropertiesSheet : public CPropertySheet {
 public:
  explicit CSpectrumPropertiesSheet(CWnd* pParentWnd = nullptr);

  CParametersPage m_parametersPage;
};
