// The Credits box of the About dialog: the lines of the credits scroll up
// through a black area, one pixel every 40 ms, over and over. The last
// character of a line says how it is drawn: a picture (backspace: the rest
// names a bitmap resource), a cyan heading (tab), a red title (line feed),
// a yellow heading (carriage return) or plain white text.
#pragma once

#include "controls/IconButton.h"
#include "framework/win/Dc.h"
#include "framework/win/Dialog.h"
#include "framework/win/GdiObject.h"

class CCreditsDialog : public CDialog {
 public:
  enum { ScrollTimer = 150, ScrollMs = 40, LineCount = 27 };
  enum LineKind { linePicture, lineHeading, lineTitle, lineSubtitle, lineText };

  explicit CCreditsDialog(CWnd* pParent = nullptr);

  // How a credits line is drawn, by its last character.
  static LineKind KindOf(LPCSTR pszLine);
  static LPCSTR GetLine(int nLine);

  BOOL OnInitDialog() override;

  // The line now scrolling in and the next one to come (0 .. 26).
  int GetCurrentLine() const { return m_nCurrentLine; }
  int GetNextLine() const { return m_nNextLine; }

 protected:
  void OnOK() override;
  void OnPaint();
  void OnTimer(UINT_PTR nIDEvent);

 private:
  // Makes the next table line current; a picture line loads its bitmap
  // (FALSE, the scrolling stopped, when it is missing).
  BOOL NextLine();
  // The font and colour of a text line.
  CFont& FontOf(LineKind kind, COLORREF& crText);
  // Draws the bottom of the area: the current line's rows shown so far.
  void PaintLine(CDC* pDC);
  // Moves what has scrolled in one row up in the kept picture of the area
  // and draws the current line's rows below it.
  void ScrollArea();

  CIconButton m_OK;
  CRect m_rcArea;  // the text area, static 1002, in client coordinates
  CString m_strLine;
  LineKind m_nKind = lineText;
  int m_nLineHeight = 15;
  int m_nRows = 0;  // rows of the current line (or picture) scrolled in
  int m_nCurrentLine = -1;
  int m_nNextLine = 0;
  CDC m_dcMemory;
  CBitmap m_Picture;  // while a picture line scrolls
  CSize m_sizePicture;
  CFont m_Fonts[4];  // heading, title, subtitle, text
  // The area as scrolled so far, in client coordinates: a repaint shows
  // every line still in view, not only the current one.
  CBitmap m_bmArea;
  CDC m_dcArea;

  DECLARE_MESSAGE_MAP()
};
