// CIconButton: an owner-drawn push button showing an icon (one while the
// mouse is over it or it is pressed, one otherwise) and its caption. Flat by
// default: a flat button raises a border only while the mouse is over it.
// Four colours, a tooltip, a cursor of its own and an optional transparent
// background (the parent's pixels under it).
#pragma once

#include "framework/base/String.h"
#include "framework/win/CommonControls.h"
#include "framework/win/Controls.h"
#include "framework/win/Dc.h"

class CIconButton : public CButton {
 public:
  enum { AlignHorz = 0, AlignVert = 1 };

  CIconButton();
  ~CIconButton() override;

  // nIconOut 0: the same icon in both states.
  BOOL SetIcon(int nIconIn, int nIconOut = 0);
  // -1 removes the cursor. TRUE when loaded or removed.
  BOOL SetButtonCursor(int nCursorId);

  void SetFlat(BOOL bState = TRUE);
  void SetAlign(int nAlign);
  int GetAlign() const { return m_nAlign; }
  void SetDrawBorder(BOOL bEnable = TRUE) { m_bDrawBorder = bEnable; }
  void SetShowText(BOOL bShow = TRUE);
  BOOL GetShowText() const { return m_bShowText; }
  void SetFlatFocus(BOOL bDrawFlatFocus, BOOL bRepaint = FALSE);
  BOOL GetFlatFocus() const { return m_bDrawFlatFocus; }

  void SetOutBkColor(COLORREF cr, BOOL bRepaint = FALSE) { SetColour(m_crOutBk, cr, bRepaint); }
  void SetOutTextColor(COLORREF cr, BOOL bRepaint = FALSE) { SetColour(m_crOutText, cr, bRepaint); }
  void SetHoverBkColor(COLORREF cr, BOOL bRepaint = FALSE) { SetColour(m_crHoverBk, cr, bRepaint); }
  void SetHoverTextColor(COLORREF cr, BOOL bRepaint = FALSE) { SetColour(m_crHoverText, cr, bRepaint); }
  void SetDefaultOutBkColor(BOOL bRepaint = FALSE) { SetOutBkColor(::GetSysColor(COLOR_BTNFACE), bRepaint); }
  void SetDefaultOutTextColor(BOOL bRepaint = FALSE) { SetOutTextColor(::GetSysColor(COLOR_BTNTEXT), bRepaint); }
  void SetDefaultHoverBkColor(BOOL bRepaint = FALSE) { SetHoverBkColor(::GetSysColor(COLOR_BTNFACE), bRepaint); }
  void SetDefaultHoverTextColor(BOOL bRepaint = FALSE) { SetHoverTextColor(::GetSysColor(COLOR_BTNTEXT), bRepaint); }
  COLORREF GetOutBkColor() const { return m_crOutBk; }
  COLORREF GetOutTextColor() const { return m_crOutText; }
  COLORREF GetHoverBkColor() const { return m_crHoverBk; }
  COLORREF GetHoverTextColor() const { return m_crHoverText; }

  void SetTipText(LPCSTR lpszText, BOOL bActivate = TRUE);
  void SetTipText(int nStringId, BOOL bActivate = TRUE);
  void EnableTip(BOOL bEnable = TRUE);
  void EnableTransparency() { m_bDrawTransparent = TRUE; }

  BOOL GetDefault() const { return m_bIsDefault; }
  static LPCSTR GetVersionText() { return "2.5"; }
  static short GetVersion() { return 25; }

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void PreSubclassWindow() override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnKillFocus(CWnd* pNewWnd);
  void OnCaptureChanged(CWnd* pWnd);

  void SetColour(COLORREF& crField, COLORREF cr, BOOL bRepaint);
  void InitToolTip();
  // Paints the copy of the parent's pixels under the button, made on first use.
  void PaintBk(CDC* pDC, const CRect& rcClient);
  void DrawIconAndCaption(CDC* pDC, const CRect& rcItem, BOOL bPressed, BOOL bDisabled);
  void FreeIcons();

  int m_nAlign = AlignHorz;
  BOOL m_bShowText = TRUE;
  BOOL m_bDrawBorder = TRUE;
  BOOL m_bIsFlat = TRUE;
  BOOL m_bMouseOnButton = FALSE;
  BOOL m_bDrawFlatFocus = FALSE;
  HCURSOR m_hCursor = nullptr;
  CToolTipCtrl m_ToolTip;
  HICON m_hIconIn = nullptr;
  HICON m_hIconOut = nullptr;
  BYTE m_cyIcon = 0;
  BYTE m_cxIcon = 0;
  CDC m_dcBk;
  CBitmap m_bmpBk;
  HGDIOBJ m_hOldBk = nullptr;
  BOOL m_bDrawTransparent = FALSE;
  BOOL m_bIsDefault = FALSE;
  COLORREF m_crOutBk;
  COLORREF m_crOutText;
  COLORREF m_crHoverBk;
  COLORREF m_crHoverText;

  DECLARE_MESSAGE_MAP()
};
