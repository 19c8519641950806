// CAddTextDialog: the text, font, colour and alignment of a text label, new
// or being edited, with a live sample. The caller applies the result to the
// label or to the current spectrum (Apply).
#pragma once

#include "controls/ColourPicker.h"
#include "controls/DeviceFontCombo.h"
#include "controls/LabelCtrl.h"
#include "controls/RangeEdit.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"
#include "framework/win/CommonControls.h"
#include "framework/win/Dialog.h"
#include "resources/BrivaneRes.h"

class CSpectrum;
class CTextLabel;

class CAddTextDialog : public CDialog {
 public:
  enum { IDD = IDD_ADD_TEXT };
  // pLabel: the label to edit, or null for a new one.
  explicit CAddTextDialog(const CTextLabel* pLabel, CWnd* pParent = nullptr);

  // After OK: the edited label takes the font, text and colour, or a new
  // label is added to pSpectrum; either gets the alignment and the attached
  // flag. Returns the label, or null when there is none to add it to.
  CTextLabel* Apply(CTextLabel* pLabel, CSpectrum* pSpectrum) const;

  CString m_strFace;
  int m_nSize = 12;
  LOGFONT m_lf = {};
  CString m_strText;
  COLORREF m_crText = RGB(0, 0, 0);
  int m_bBold = 0;
  int m_bItalic = 0;
  int m_bUnderline = 0;
  int m_nAlign = 0;  // TEXT_ALIGN_*
  int m_bAttached = 1;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void UpdateSample();
  LRESULT OnColourChange(WPARAM wParam, LPARAM lParam);
  int ReadSize() const;
  CString ReadFace() const;

  CDeviceFontCombo m_Face;
  CRangeEdit m_Size;
  CSpinButtonCtrl m_Spin;
  CColourPicker m_Colour;
  CLabelCtrl m_Sample;

  DECLARE_MESSAGE_MAP()
};
