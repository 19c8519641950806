// The nD program's display dialogs: Set Levels, Scale Units, Setup
// Projections, the Extracts list and Customize. Each reads its values from
// the data set (or the application's settings) when it opens and writes
// them back on OK.
#pragma once

#include "framework/win/Dialog.h"
#include "onedim/model/ColourFont.h"
#include "resources/BrivanenDRes.h"

class CDocument;
class CSpectrum2D;

class CLevelsDialog : public CDialog {
 public:
  enum { IDD = IDD_LEVELS, MaxLevels = 20 };
  explicit CLevelsDialog(CSpectrum2D& set, CWnd* pParentWnd = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;

  CSpectrum2D& m_set;
  int m_nPositive = 0;
  int m_nNegative = 0;
  float m_fRatio = 0.0f;
  float m_fThreshold = 0.0f;
};

class CScaleUnitsDialog : public CDialog {
 public:
  enum { IDD = IDD_SCALE_UNITS };
  explicit CScaleUnitsDialog(CSpectrum2D& set, CWnd* pParentWnd = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

  CSpectrum2D& m_set;
};

class CProjectionsDialog : public CDialog {
 public:
  enum { IDD = IDD_PROJECTIONS };
  explicit CProjectionsDialog(CSpectrum2D& set, CWnd* pParentWnd = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnComputeF1();
  void OnComputeF2();

  CSpectrum2D& m_set;

  DECLARE_MESSAGE_MAP()
};

class CExtractsDialog : public CDialog {
 public:
  enum { IDD = IDD_EXTRACTS };
  explicit CExtractsDialog(CSpectrum2D& set, CWnd* pParentWnd = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void OnClearRows();
  void OnClearColumns();

  CSpectrum2D& m_set;

  DECLARE_MESSAGE_MAP()
};

// The application's Customize settings the dialog edits in place.
struct CustomizeSettings {
  int& m_nDivisor;
  int& m_nMaxCoefficients;
  CColourFont& m_fontF2;
  CColourFont& m_fontF1;
  BYTE& m_bShowF2;
  BYTE& m_bShowF1;
};

class CCustomizeDialog : public CDialog {
 public:
  enum { IDD = IDD_CUSTOMIZE };
  explicit CCustomizeDialog(const CustomizeSettings& settings, CWnd* pParentWnd = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnFontF2();
  void OnFontF1();

  CustomizeSettings m_settings;
  CColourFont m_fontF2;  // the fonts chosen so far; kept only on OK
  CColourFont m_fontF1;
  int m_nDivisor = 0;
  int m_nMaxCoefficients = 0;
  int m_bShowF2 = 0;
  int m_bShowF1 = 0;

  DECLARE_MESSAGE_MAP()
};

// Display a Portion of the Spectrum: the visible window of each axis in its
// display unit. Only an axis shown in points takes the values back, and
// only indices inside the data.
class CLimitsDialog : public CDialog {
 public:
  enum { IDD = IDD_LIMITS };
  // pDoc: redrawn after the units change (may be null).
  CLimitsDialog(CSpectrum2D& set, CDocument* pDoc, CWnd* pParentWnd = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnUnits();
  // The edits from the set's visible window.
  void Fill();

  CSpectrum2D& m_set;
  CDocument* m_pDoc;
  double m_f1From = 0, m_f1To = 0, m_f2From = 0, m_f2To = 0;
  CString m_strF1Units;  // bound to empty texts
  CString m_strF2Units;

  DECLARE_MESSAGE_MAP()
};
