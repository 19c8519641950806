// CColourGridPopup: the colour picker's drop-down, a borderless popup with
// a grid of 40 named colours, an optional default entry ("Automatic") above
// and an optional custom entry ("More Colours...", the system colour dialog)
// below. It follows the mouse and the arrow keys, tells its picker each
// colour it passes over, and ends with the chosen colour (OK) or the one it
// opened with (cancel). It deletes itself when its window goes.
#pragma once

#include "framework/base/String.h"
#include "framework/win/CommonControls.h"
#include "framework/win/GdiObject.h"

class CDC;

class CColourGridPopup : public CWnd {
 public:
  // Indices: 0..39 the colour cells, then the two entries and "none".
  enum { kDefaultBox = -3, kCustomBox = -2, kNoBox = -1 };
  enum { kColourCount = 40 };

  // Opens a popup at point (screen coordinates) for the picker; the system
  // makes the picker's top-level window its owner. FALSE when its window
  // cannot be made (nothing is left behind).
  static BOOL Open(CPoint point, COLORREF crColour, CWnd* pPicker, LPCSTR lpszDefaultText, LPCSTR lpszCustomText);

  // The palette: colour and tooltip name of cell nIndex (0..39).
  static COLORREF GetTableColour(int nIndex);
  static LPCSTR GetTableName(int nIndex);

  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  CColourGridPopup();
  ~CColourGridPopup() override;

  BOOL Create(CPoint point, COLORREF crColour, CWnd* pPicker, LPCSTR lpszDefaultText, LPCSTR lpszCustomText);
  void PostNcDestroy() override;

  void OnPaint();
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKillFocus(CWnd* pNewWnd);
  void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  LRESULT OnQueryNewPalette(WPARAM, LPARAM);
  LRESULT OnPaletteChanged(WPARAM wParam, LPARAM);

  // The index of the table entry of crColour, or of the entry that stands for it.
  int FindInitialIndex(COLORREF crColour) const;
  // Sizes the window to the grid and its entries, kept on the screen.
  void SetWindowSize(CPoint point);
  void CreateToolTips();
  BOOL GetCellRect(int nIndex, CRect& rect) const;
  void DrawCell(CDC* pDC, int nIndex);
  // Where an arrow key leads from nIndex.
  int ArrowTarget(UINT nChar, int nIndex) const;
  // Hovers nIndex and tells the picker its colour.
  void ChangeSelection(int nIndex);
  // Ends with WMU_COLOUR_SELENDOK or WMU_COLOUR_SELENDCANCEL.
  void EndSelection(UINT nMessage);
  void SendToPicker(UINT nMessage, COLORREF crColour);

  int m_nNumColours = kColourCount;
  int m_nNumColumns = 0;
  int m_nNumRows = 0;
  int m_nBoxSize = 18;
  int m_nMargin;
  int m_nCurrentSel = kNoBox;
  int m_nChosenColourSel = kNoBox;  // the index of the colour the popup opened with
  CString m_strDefaultText;
  CString m_strCustomText;
  CRect m_CustomTextRect;
  CRect m_DefaultTextRect;
  CRect m_WindowRect;
  CFont m_Font;
  CPalette m_Palette;
  COLORREF m_crInitialColour = 0;
  COLORREF m_crColour = 0;
  CToolTipCtrl m_ToolTip;
  HWND m_hWndPicker = nullptr;  // by handle: the picker may go while the popup ends
  BOOL m_bEnding = FALSE;
  BOOL m_bAutoDelete = FALSE;

  DECLARE_MESSAGE_MAP()
};
