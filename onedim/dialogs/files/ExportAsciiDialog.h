// The options of File > Export as ASCII: the units of the abscissa, whether
// to write the title, and real or real and imaginary output.
#pragma once

#include "framework/win/Dialog.h"

class CExportAsciiDialog : public CDialog {
 public:
  enum { IDD = 290 };
  explicit CExportAsciiDialog(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

  int m_nUnits = 0;     // axis units in and out: 0 points, 1 seconds, 2 Hz, 3 ppm
  int m_bTitle = 0;     // "Include Title"
  int m_nComplex = -1;  // 0 "Real", 1 "Real + Imaginary"

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
};
