// CSoftThresholdingDialog: Iterated Soft Thresholding of the current
// spectrum. A scroll bar sets the threshold as a line over the spectrum, the
// zero-fill count comes from the Zero Filling dialog, and Go extends the FID.
#pragma once

#include "controls/LabelCtrl.h"
#include "framework/win/CommonControls.h"
#include "framework/win/Controls.h"
#include "framework/win/Dialog.h"
#include "resources/BrivaneRes.h"

class CBrivaneProDoc;

class CSoftThresholdingDialog : public CDialog {
 public:
  enum { IDD = IDD_SOFT_THRESHOLDING };
  // pView: the window the threshold line is drawn on (the document's view).
  CSoftThresholdingDialog(CBrivaneProDoc* pDoc, CWnd* pView, CWnd* pParent = nullptr);

  // The threshold bar's position after a scroll code: lines of 1, pages of
  // nMiddle / 100 to the left and nRange / 100 to the right, always within
  // 0 ... nRange.
  static int ScrollPosition(int nCode, int nPos, int nTrack, int nRange, int nMiddle);

  int m_nZeroFill = 0;    // floats
  int m_nThresholdY = 0;  // pixels
  int m_nMiddleY = 0;     // the zero line of the spectrum's plot band
  int m_nMaxY = 0;        // the pixel of the largest absolute real value

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
  void OnChange();
  void OnGo();

 private:
  // The line in inverting ink, the one drawn before taken away first.
  void DrawThreshold();
  void EraseThreshold();
  // The threshold line at y inverted over the spectrum; FALSE with no view.
  BOOL InvertLine(int y);
  void ShowZeroFill();

  CBrivaneProDoc* m_pDoc;  // not owned
  CWnd* m_pView;           // not owned
  int m_nDrawnY = 0;       // where the line is drawn
  BOOL m_bDrawn = FALSE;
  CSpinButtonCtrl m_Spin;
  CScrollBar m_Threshold;
  CLabelCtrl m_ZeroFillLabel;

  DECLARE_MESSAGE_MAP()
};
