// The "Acquisition " dialog: the spectrometer (carrier) frequency and the
// spectral width of F2 and F1 of a data set, edited in place. Values that
// are no frequency or width (zero, negative, not finite, beyond any
// spectrometer) are refused and the dialog stays open.
#pragma once

#include "framework/win/Dialog.h"
#include "resources/BrivanenDRes.h"

struct DimensionBlock;

class CAcquisitionDialog : public CDialog {
 public:
  enum { IDD = IDD_ACQUISITION };

  // dims: the set's dimension table (F1 at 1, F2 at 2); OK writes into it.
  explicit CAcquisitionDialog(DimensionBlock* dims, CWnd* pParentWnd = nullptr);

  float m_fF2Carrier = 0.0f;  // MHz
  float m_fF2Width = 0.0f;    // Hz
  float m_fF1Carrier = 0.0f;
  float m_fF1Width = 0.0f;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;

  DimensionBlock* m_dims;
};
