// CParametersDlg: the Parameters page of the spectrum properties sheet. The
// acquisition values are shown only (they describe the data as stored); the
// byte order and the title come back.
#pragma once

#include "framework/base/String.h"
#include "framework/win/Controls.h"
#include "framework/win/GdiObject.h"
#include "framework/win/PropertyPage.h"
#include "onedim/dialogs/display/ReadOnlyEdit.h"
#include "resources/BrivaneRes.h"

class CBrivaneProDoc;
class CSpectrum;

class CParametersDlg : public CPropertyPage {
 public:
  enum { IDD = IDD_PARAMETERS };
  CParametersDlg() : CPropertyPage(IDD) {}

  int m_nDataPoints = 0;  // td
  float m_fSpectralWidth = 0.0f;
  float m_fFrequency = 0.0f;
  float m_fAcqTime = 0.0f;
  int m_nByteOrder = 0;  // the spectrum's byte-order flag: 1 big endian, as the readers set it
  CString m_strTitle;
  // Print over Spectrum labels this spectrum and updates the document's views.
  CSpectrum* m_pSpectrum = nullptr;
  CBrivaneProDoc* m_pDoc = nullptr;

  // The parameter line that Print over Spectrum puts on a spectrum.
  static CString FormatParameterText(const CSpectrum& spectrum);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnDestroy();
  void OnPrintOverSpectrum();

  CBrush m_BlackBrush;
  CReadOnlyEdit m_Edits[4];
  CComboBox m_ByteOrder;

  DECLARE_MESSAGE_MAP()
};
