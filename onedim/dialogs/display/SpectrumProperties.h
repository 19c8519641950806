// CSpectrumProperties: the "Spectrum Properties" sheet of a 1D spectrum with
// its Parameters, Data Points, Display and Scale pages, and the program's
// name embossed beside the buttons.
#pragma once

#include "framework/base/String.h"
#include "framework/win/GdiObject.h"
#include "framework/win/PropertySheet.h"
#include "onedim/dialogs/display/ColorPage.h"
#include "onedim/dialogs/display/DataPoints.h"
#include "onedim/dialogs/display/ParametersDlg.h"
#include "onedim/dialogs/display/ScalePage.h"

class CBrivaneProDoc;

class CSpectrumProperties : public CPropertySheet {
  DECLARE_DYNAMIC(CSpectrumProperties)
 public:
  explicit CSpectrumProperties(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CSpectrumProperties(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

  void SetLogoText(LPCSTR lpszText) { m_strLogo = lpszText; }
  const CString& GetLogoText() const { return m_strLogo; }
  BOOL OnInitDialog() override;

  // The pages' values from the document and its current spectrum.
  void LoadFrom(CBrivaneProDoc& doc);
  // And back, as the sheet left them: the colours and the trace style to
  // the current spectrum or to all, the scale settings likewise, the
  // document's background, icon, scale and zoom-box choices; the profile
  // keeps the background and the trace colour. The views are updated.
  void ApplyTo(CBrivaneProDoc& doc) const;

  CParametersDlg m_Parameters;
  CDataPoints m_DataPoints;
  CColorPage m_Colors;
  CScalePage m_Scale;

 protected:
  void AddPages();
  void OnPaint();

  CFont m_LogoFont;
  CString m_strLogo;

  DECLARE_MESSAGE_MAP()
};
