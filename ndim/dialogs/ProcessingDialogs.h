// The nD program's processing dialogs: Fourier Transform, Apodization,
// Linear Prediction, High Pass Filter and Polynomial Baseline Correction.
// They only read their fields; the document turns what they hold into
// command lines (NdDialogCommands.h).
#pragma once

#include "framework/win/Dialog.h"
#include "ndim/document/NdDialogCommands.h"
#include "resources/BrivanenDRes.h"

struct ApodizationSettings;

class CApodizationDialog : public CDialog {
 public:
  enum { IDD = IDD_APODIZATION };
  // OK writes the switches and values back into settings.
  explicit CApodizationDialog(ApodizationSettings& settings, CWnd* pParentWnd = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

  ApodizationSettings& m_settings;
};

class CFourierDialog : public CDialog {
 public:
  enum { IDD = IDD_FOURIER };
  // The choices start as given; apodization is what "Choose Function ..."
  // edits; dim names the time axis on the OK button.
  CFourierDialog(const FourierChoices& choices, ApodizationSettings& apodization, int dim, CWnd* pParentWnd = nullptr);

  FourierChoices m_choices;
  // The points along dim and the application's prediction divisor: OK
  // refuses, with the reason, a prediction filling they cannot give.
  int m_nPoints = 0;
  int m_nDivisor = 1;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  void OnChooseFunction();
  // Magnitude and Hyperphase exclude each other.
  void OnMagnitude();
  void OnHyperphase();

  ApodizationSettings& m_apodization;
  int m_nDim;

  DECLARE_MESSAGE_MAP()
};

class CPredictionDialog : public CDialog {
 public:
  enum { IDD = IDD_PREDICTION };
  CPredictionDialog(const PredictionChoices& choices, int dim, CWnd* pParentWnd = nullptr);

  PredictionChoices m_choices;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

  int m_nDim;
};

class CHighPassDialog : public CDialog {
 public:
  enum { IDD = IDD_HIGH_PASS };
  explicit CHighPassDialog(CWnd* pParentWnd = nullptr) : CDialog(IDD, pParentWnd) {}

  int m_nSelectivity = 8;
  float m_fNullPoint = 0.0f;  // ppm

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

class CBaselineDialog : public CDialog {
 public:
  enum { IDD = IDD_POLYNOMIAL_BASELINE };
  // last: the set's last dimension, which decides the "Along:" buttons offered.
  CBaselineDialog(const BaselineChoices& choices, int last, CWnd* pParentWnd = nullptr);

  BaselineChoices m_choices;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;

  int m_nLast;
};
