// CColourPicker: an owner-drawn push button showing a colour swatch and a
// drop-down arrow. A click opens the palette popup (CColourGridPopup); what
// happens there reaches the parent as five private messages, each with
// wParam = the colour and lParam = the picker's control id.
#pragma once

#include "framework/base/String.h"
#include "framework/win/Controls.h"

class CDataExchange;

// The colour under the mouse changed while the popup is open, or the chosen
// colour differs from the one held before.
const UINT WMU_COLOUR_SELCHANGE = WM_USER + 1001;
const UINT WMU_COLOUR_DROPDOWN = WM_USER + 1002;
// The popup closed; sent before the chosen or cancelled message.
const UINT WMU_COLOUR_CLOSEUP = WM_USER + 1003;
const UINT WMU_COLOUR_SELENDOK = WM_USER + 1004;
// wParam: the colour restored.
const UINT WMU_COLOUR_SELENDCANCEL = WM_USER + 1005;

// "Automatic": no specific colour. The swatch shows the button face.
const COLORREF COLOUR_AUTOMATIC = 0xFF000000;

class CColourPicker : public CButton {
  DECLARE_DYNCREATE(CColourPicker)
 public:
  CColourPicker();
  ~CColourPicker() override;

  // The text colour in selection mode 1, else the background (swatch) colour.
  COLORREF GetColour() const;
  void SetColour(COLORREF crColour);
  void SetBkColour(COLORREF crColourBk);
  COLORREF GetBkColour() const { return m_crColourBk; }
  void SetTextColour(COLORREF crColourText);
  COLORREF GetTextColour() const { return m_crColourText; }

  // When set, the swatch follows the colour under the mouse while the popup is open.
  void SetTrackSelection(BOOL bTracking = TRUE) { m_bTrackSelection = bTracking; }
  BOOL GetTrackSelection() const { return m_bTrackSelection; }
  // 1: the picker edits its text colour; any other value: its background.
  void SetSelectionMode(UINT nMode) { m_nSelectionMode = nMode; }
  UINT GetSelectionMode() const { return m_nSelectionMode; }

  // An empty text (or null) removes the entry from the popup.
  void SetAutomaticText(LPCSTR lpszText);
  void SetMoreColoursText(LPCSTR lpszText);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  void PreSubclassWindow() override;
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  BOOL OnClicked();
  LRESULT OnSelEndOK(WPARAM wParam, LPARAM lParam);
  LRESULT OnSelEndCancel(WPARAM wParam, LPARAM lParam);
  LRESULT OnSelChange(WPARAM wParam, LPARAM lParam);

  // Sizes the window to the drop-down arrow and places the arrow.
  void FitToArrow();
  // Sends a message to the parent. FALSE when this picker's window did not
  // outlive it: the caller then returns at once and touches nothing.
  BOOL NotifyParent(UINT nMessage, COLORREF crColour);

  int m_bPopupOpen = 0;
  int m_bTrackSelection = 0;
  COLORREF m_crColourBk;
  COLORREF m_crColourText;
  UINT m_nSelectionMode = 2;
  CRect m_ArrowRect;
  CString m_strDefaultText = "Automatic";
  CString m_strCustomText = "More Colours...";

  DECLARE_MESSAGE_MAP()
};

// Data exchange with a colour picker attached to dialog item nIDC.
void DDX_ColourPicker(CDataExchange* pDX, int nIDC, COLORREF& crColour);
