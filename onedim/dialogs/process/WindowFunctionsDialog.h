// CWindowFunctionsDialog: chooses the window function of the current
// spectrum (or of all), previews the weighted data at once and, with
// "Interactive", their transform. Cancel puts every spectrum's data back.
#pragma once

#include "controls/ColourPicker.h"
#include "controls/IconButton.h"
#include "controls/NumericEdit.h"
#include "framework/win/Controls.h"
#include "framework/win/Dialog.h"
#include "onedim/document/ApodizeSession.h"
#include "resources/BrivaneRes.h"

class CBrivaneProDoc;
class CWindowFunction;

class CWindowFunctionsDialog : public CDialog {
 public:
  enum { IDD = IDD_WINDOW_FUNCTIONS };
  CWindowFunctionsDialog(CBrivaneProDoc* pDoc, CWnd* pParent = nullptr);

  int m_nType = 0;
  int m_bInteractive = 0;
  int m_bApplyToAll = 0;
  COLORREF m_crCurve = 255;  // in: the picker's colour; out on OK: the chosen one
  // Holds the weighted-copy backups (filled by the caller before DoModal)
  // and the data backups (filled as the dialog opens).
  CApodizeSession m_Session;

  // Scroll position of a parameter and back (sine shift: 0 ... 90 degrees
  // over -1000 ... 1000; the others: hundredths).
  static int ValueToScroll(UINT nScrollId, float fValue);
  static float ScrollToValue(UINT nScrollId, int nPos);

  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  void OnCancel() override;
  void OnTypeChange();
  void OnApply();
  void OnMoreOptions();
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
  // A parameter typed into its field: applied as it is typed.
  void OnParameterTyped();
  LRESULT OnColourChange(WPARAM wParam, LPARAM lParam);

 private:
  CWindowFunction* CurrentWindow() const;
  void ShowTypeControls();
  void StoreEdits();
  void PlaceScrollBars();
  // Applies the window (and the transform) and refreshes views and noise.
  void ApplyChange();
  void ShowNoise();
  void SetPenWidthFromEdit();
  void Resize(BOOL bFull);

  CBrivaneProDoc* m_pDoc;   // not owned
  BYTE m_bFromEdit = 0;     // the last change came from an edit, not a scroll bar
  BYTE m_bFollowEdits = 0;  // the parameter fields' changes are the user's typing
  CComboBox m_Type;
  CColourPicker m_Colour;
  CNumericEdit m_PenWidth;
  CIconButton m_OK, m_Cancel, m_Apply;
  CRect m_rectFull;     // the whole dialog, kept at the first resize
  int m_nShortEnd = 0;  // screen top of the marker where the short form ends

  DECLARE_MESSAGE_MAP()
};
