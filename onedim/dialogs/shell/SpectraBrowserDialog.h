// The "Spectra Browser": a list of spectra with OK and Cancel. The program
// defines it but no command opens it.
#pragma once

#include "framework/win/Dialog.h"
#include "resources/BrivaneRes.h"

class CSpectraBrowserDialog : public CDialog {
 public:
  enum { IDD = IDD_SPECTRA_BROWSER };
  explicit CSpectraBrowserDialog(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}
};
