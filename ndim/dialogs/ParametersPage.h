// CParametersPage: the "Spectrum Parameters" page. It lists the acquisition
// parameters of one dimension of a data set, chosen in its combo, and opens
// the Acquisition dialog to change them.
#pragma once

#include "framework/win/CommonControls.h"
#include "framework/win/Controls.h"
#include "framework/win/PropertyPage.h"
#include "resources/BrivanenDRes.h"

struct DimensionBlock;

class CParametersPage : public CPropertyPage {
 public:
  enum { IDD = IDD_PARAMETERS_PAGE };

  CParametersPage() : CPropertyPage(IDD) {}

  // dims: the set's dimension table, dimensions numbered from 1 to count.
  void SetDimensions(DimensionBlock* dims, int count) {
    m_pDimensions = dims;
    m_nDimensions = count;
  }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnSelChangeDimension();
  void OnModifyParameters();
  // The rows of dimension dim (1 .. count).
  void FillList(int dim);

  CComboBox m_comboDimension;
  CListCtrl m_listParameters;
  DimensionBlock* m_pDimensions = nullptr;
  int m_nDimensions = 0;

  DECLARE_MESSAGE_MAP()
};
