// The modal dialogs of the Process menu that ask for values: Zero Filling,
// Fourier Transform, High Pass Filter, Fid Shift and Linear Prediction.
#pragma once

#include "controls/IconButton.h"
#include "controls/NumericEdit.h"
#include "controls/RangeEdit.h"
#include "framework/base/String.h"
#include "framework/win/CommonControls.h"
#include "framework/win/Controls.h"
#include "framework/win/Dialog.h"
#include "resources/BrivaneRes.h"

class CBrivaneProDoc;
class CSpectrum;

class CZeroFillingDialog : public CDialog {
 public:
  enum { IDD = IDD_ZERO_FILLING };
  explicit CZeroFillingDialog(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

  int m_nPoints = 0;  // floats, real plus imaginary

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

  CComboBox m_Points;
  CIconButton m_OK, m_Cancel;
};

class CFourierTransformDialog : public CDialog {
 public:
  enum { IDD = IDD_FOURIER_TRANSFORM };
  explicit CFourierTransformDialog(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

  int m_nMaxRotation = 0;  // td
  int m_nPoints = 0;
  int m_nRotationPoints = 0;
  int m_bDriftCorrection = 0;
  int m_bQuadrature = 0;
  int m_bReal = 0;
  int m_bRotateData = 0;
  int m_bApplyToAll = 0;
  int m_bInverse = 0;
  int m_bShowProgress = 0;
  int m_bAutophase = 0;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;

  CSpinButtonCtrl m_Spin;
  CRangeEdit m_Rotation;
  CComboBox m_Points;
};

class CHighPassFilterDialog : public CDialog {
 public:
  enum { IDD = IDD_HIGH_PASS_FILTER };
  explicit CHighPassFilterDialog(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

  float m_fNullPoint = 0.0f;  // ppm
  int m_nSelectivity = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

// Previews each shift at once; every application starts again from the
// copy the spectrum keeps while the dialog is open, and Cancel puts it back.
class CFidShiftDialog : public CDialog {
 public:
  enum { IDD = IDD_FID_SHIFT };
  CFidShiftDialog(CBrivaneProDoc* pDoc, CWnd* pParent = nullptr) : CDialog(IDD, pParent), m_pDoc(pDoc) {}

  int m_nDirection = 0;  // 0 left, 1 right, 2 cyclical

  // The shift of nCount points from the kept copy, as Apply runs it.
  static void ApplyShift(CSpectrum& spectrum, int nDirection, int nCount);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnApply();
  void OnDirection();
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void Apply(int nCount);

  CBrivaneProDoc* m_pDoc;  // not owned
  CSpectrum* m_pSpectrum = nullptr;
  CNumericEdit m_Count;
  CSpinButtonCtrl m_Spin;
  CComboBox m_Direction;

  DECLARE_MESSAGE_MAP()
};

class CLinearPredictionDialog : public CDialog {
 public:
  enum { IDD = IDD_LINEAR_PREDICTION };
  CLinearPredictionDialog(CBrivaneProDoc* pDoc, CWnd* pParent = nullptr);

  CString m_strFirst, m_strLast, m_strBasis, m_strCoefficients;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;

  CBrivaneProDoc* m_pDoc;  // not owned
};
