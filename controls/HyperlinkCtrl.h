// CHyperlinkCtrl: a static that shows an address (or a caption) as a link:
// link colours, underlined, a hover colour under the mouse, the address in a
// tooltip. A click opens the address with the shell, or else with the
// browser registered for ".htm" files, and reports a failure in words.
#pragma once

#include "framework/base/String.h"
#include "framework/win/CommonControls.h"
#include "framework/win/Controls.h"
#include "framework/win/GdiObject.h"

class CHyperlinkCtrl : public CStatic {
 public:
  CHyperlinkCtrl();
  ~CHyperlinkCtrl() override;

  void SetURL(LPCSTR lpszURL);
  CString GetURL() const { return m_strURL; }

  // A hover colour of (COLORREF)-1 stands for the system's highlight colour.
  void SetLinkColours(COLORREF crLink, COLORREF crVisited, COLORREF crHover = (COLORREF)-1);
  COLORREF GetLinkColour() const { return m_crLink; }
  COLORREF GetVisitedColour() const { return m_crVisited; }
  COLORREF GetHoverColour() const { return m_crHover; }

  void SetVisited(BOOL bVisited = TRUE);
  BOOL GetVisited() const { return m_bVisited; }

  // A null cursor loads the default hand cursor.
  void SetHandCursor(HCURSOR hCursor);
  HCURSOR GetHandCursor() const { return m_hLinkCursor; }

  void SetUnderline(BOOL bUnderline = TRUE);
  BOOL GetUnderline() const { return m_bUnderline; }

  void SetFitToText(BOOL bFit = TRUE);
  BOOL GetFitToText() const { return m_bFitToText; }

  BOOL PreTranslateMessage(MSG* pMsg) override;

  // Opens the address; the result is the shell's or WinExec's (> 32 success).
  static HINSTANCE OpenURL(LPCSTR lpszURL, int nShowCmd);
  // "Unable to open hyperlink:" and the words for the code.
  static CString ErrorText(int nError);

 protected:
  void PreSubclassWindow() override;
  HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  void OnClicked();
  void OnMouseMove(UINT nFlags, CPoint point);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

  // Shrinks or moves the window to its text, as its alignment styles say.
  void PositionWindow();
  // Sets the control's font to its current one with the underline byte.
  void SetUnderlineFont();
  void SetDefaultCursor();
  void RepaintNow();

  COLORREF m_crLink = RGB(0, 0, 238);
  COLORREF m_crVisited = RGB(85, 26, 139);
  COLORREF m_crHover;
  BOOL m_bOverControl = FALSE;
  BOOL m_bVisited = FALSE;
  BOOL m_bUnderline = TRUE;
  BOOL m_bFitToText = TRUE;
  CString m_strURL;
  CFont m_UnderlineFont;
  HCURSOR m_hLinkCursor = nullptr;
  HCURSOR m_hDefaultCursor = nullptr;  // our copy of the hand, destroyed with us
  CToolTipCtrl m_ToolTip;

  DECLARE_MESSAGE_MAP()
};
