// CPolynomialBaselineDialog: five scroll bars set the coefficients of a
// polynomial of degree 4, in pixels, drawn over the current spectrum as
// they move; OK takes it off the spectrum.
#pragma once

#include <vector>

#include "framework/win/Dialog.h"
#include "resources/BrivaneRes.h"

class CBrivaneProDoc;

class CPolynomialBaselineDialog : public CDialog {
 public:
  enum { IDD = IDD_POLYNOMIAL_BASELINE };
  // pView: the window the preview is drawn on (the document's view).
  CPolynomialBaselineDialog(CBrivaneProDoc* pDoc, CWnd* pView, CWnd* pParent = nullptr);

  double m_dCoefficients[5] = {0, 0, 0, 0, 0};  // c0 ... c4, pixels
  double m_dLowest = -200.0;                    // the scroll bars' limits
  double m_dHighest = 200.0;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);

 private:
  // Draws the curve in inverting ink: a second drawing takes it away.
  void DrawCurve();

  CBrivaneProDoc* m_pDoc;  // not owned
  CWnd* m_pView;           // not owned
  std::vector<float> m_Curve;  // one value per complex point
  BOOL m_bCurveDrawn = FALSE;  // nothing drawn since opening

  DECLARE_MESSAGE_MAP()
};
