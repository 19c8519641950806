// The colours of the 2D plots: the Colors dialog (the pen of each contour
// level, six positive and six negative) and the Ramp editor (the raster
// plot's 256-entry table, interpolated between nodes, in .PAL files).
#pragma once

#include "controls/ColourPicker.h"
#include "framework/win/CommonControls.h"
#include "framework/win/Dc.h"
#include "framework/win/Dialog.h"
#include "framework/win/GdiObject.h"
#include "ndim/document/PaletteFile.h"
#include "resources/BrivanenDRes.h"

class CSpectrum2D;

class CColoursDialog : public CDialog {
 public:
  enum { IDD = IDD_COLOURS, Levels = 6 };
  explicit CColoursDialog(CSpectrum2D& set, CWnd* pParentWnd = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnDefault();

  CSpectrum2D& m_set;
  CColourPicker m_positive[Levels];
  CColourPicker m_negative[Levels];
  COLORREF m_positiveColours[Levels];
  COLORREF m_negativeColours[Levels];

  DECLARE_MESSAGE_MAP()
};

class CRampEditorDialog : public CDialog {
 public:
  enum { IDD = IDD_RAMP_EDITOR };
  // Swatch geometry (pixels) and where the grid is painted.
  enum { Swatch = 20, Gap = 2, Columns = 16, Origin = 10, StripHeight = 30 };
  explicit CRampEditorDialog(CWnd* pParentWnd = nullptr);

  // Select an entry as a click on its swatch does.
  void Select(int entry);
  // The swatch rectangle of an entry in the dialog's client area.
  static CRect SwatchRect(int entry);

  PaletteRamp m_ramp;
  int m_nSelected = 0;

 protected:
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnOK() override;
  void OnCancel() override;
  void OnPaint();
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnModify();
  void OnAdd();
  void OnDelete();
  void OnDeleteAll();
  void OnLoad();
  void OnSave();

  // The whole grid and strip drawn into the memory bitmap, then shown.
  void Redraw();
  void DrawSwatch(int entry);
  void ShowSelection();
  void ReleaseBitmap();

  CDC m_memDC;
  CBitmap m_bitmap;
  CBitmap* m_pOldBitmap = nullptr;
  CToolTipCtrl m_toolTip;

  DECLARE_MESSAGE_MAP()
};
