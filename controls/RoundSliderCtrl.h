// CRoundSliderCtrl: a trackbar drawn as a round dial with a knob that the
// mouse drags round the circle; the position shows as text in the middle.
// It is made for angles: range 0..359, the position followed by a degree
// sign. The window is cut to the circle, so clicks outside it go past.
// CTextRoundSliderCtrl shows a caption of its owner's instead.
#pragma once

#include "framework/base/String.h"
#include "framework/win/CommonControls.h"
#include "framework/win/GdiObject.h"

class CDC;

class CRoundSliderCtrl : public CSliderCtrl {
  DECLARE_DYNAMIC(CRoundSliderCtrl)
 public:
  CRoundSliderCtrl();
  ~CRoundSliderCtrl() override;

  // None of the setters redraws.
  virtual void SetTextFormat(LPCSTR lpszFormat) { m_strText = lpszFormat != nullptr ? lpszFormat : ""; }
  virtual CString GetTextFormat() const { return m_strText; }
  // What the middle of the dial shows.
  virtual CString GetText() const;
  virtual void SetKnobRadius(int nRadius) { m_nKnobRadius = nRadius; }
  virtual int GetKnobRadius() const { return m_nKnobRadius; }
  // Degrees clockwise from the top at which the range minimum lies.
  virtual void SetZeroAngle(int nAngle) { m_nZeroAngle = nAngle; }
  virtual int GetZeroAngle() const { return m_nZeroAngle; }
  // Inverted: the position grows counter-clockwise.
  virtual void SetInverted(BOOL bInverted = TRUE) { m_bInverted = (BYTE)(bInverted ? 1 : 0); }
  virtual BOOL GetInverted() const { return m_bInverted; }
  void SetInsetKnob(BOOL bInset = TRUE) { m_bInsetKnob = (BYTE)(bInset ? 1 : 0); }

 protected:
  // Centre, radius and window region from the client area; the position
  // goes back to 0.
  virtual void Init();
  // The position at the angle of point; TRUE when it changed.
  virtual BOOL SetKnob(const CPoint& pt);
  // WM_HSCROLL to the parent: the code, the position in the high word.
  virtual void PostNotification(int nCode);

  void PreSubclassWindow() override;
  void OnSize(UINT nType, int cx, int cy);
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnPaint();
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  // A position or range set with redraw repaints the whole dial.
  LRESULT OnSetWithRedraw(WPARAM wParam, LPARAM lParam);

  void Draw(CDC* pDC);
  // The knob's centre at the current position, d pixels from the centre.
  CPoint KnobCentre(int nDistance) const;
  // Steps the position by nDelta, wrapping round the range, and notifies.
  void Step(int nDelta, int nCode);
  // A circle of radius nRadius round ptCentre, pixel by pixel, each pixel
  // mixing crUpperLeft and crLowerRight by its angle, as a lit rim. Dotted:
  // every other step only, in crUpperLeft.
  static void DrawCircle(CDC* pDC, CPoint ptCentre, int nRadius, COLORREF crUpperLeft, COLORREF crLowerRight,
                         BOOL bDotted = FALSE);

  CPoint m_ptCenter;
  int m_nRadius = 0;
  CRgn m_rgn;  // the circle of the window's region (the system holds its own copy)
  int m_nZeroAngle = 0;
  BYTE m_bInverted = 0;
  CString m_strText;
  int m_nKnobRadius = 7;
  BYTE m_bDragging = 0;
  BYTE m_bDragChanged = 0;
  BYTE m_bInsetKnob = 1;

  DECLARE_MESSAGE_MAP()
};

class CTextRoundSliderCtrl : public CRoundSliderCtrl {
  DECLARE_DYNAMIC(CTextRoundSliderCtrl)
 public:
  CString GetText() const override { return m_strCaption; }
  void SetCaption(LPCSTR lpszCaption);
  CString GetCaption() const { return m_strCaption; }

 protected:
  CString m_strCaption;
};
