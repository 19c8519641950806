// CBrivaneProView: the view of a 1D document window (the lower pane of its
// splitter). It paints every spectrum of the document, with its axis scale
// and annotations, on the document's background. Mouse tools, printing, copying and the cursor readout belong
// to the view's own work still to come.
#pragma once

#include "framework/win/View.h"

class CBrivaneDocument;
class CDC;
class CSpectrum;

class CBrivaneProView : public CView {
  DECLARE_DYNCREATE(CBrivaneProView)
 public:
  CBrivaneProView() = default;

  CBrivaneDocument* GetDocument() const;
  void OnDraw(CDC* pDC) override;

  // The client rectangle spectra are laid out in: the current one, or the
  // last one with a size while the window has none (minimised, squeezed).
  CRect GetLayoutRect() const;

  // The real part of one spectrum from float index nFirst to nLast, drawn
  // between the pixels nLeft and nRight, at the spectrum's own height and
  // scale, or scaled to fit pStrip when one is given (the full view's strip).
  static void DrawTrace(CDC* pDC, const CSpectrum& spectrum, int nFirst, int nLast, int nLeft, int nRight,
                        const RECT* pStrip = nullptr);

 protected:
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnSize(UINT nType, int cx, int cy);

 private:
  CRect m_rcLastClient;

  DECLARE_MESSAGE_MAP()
};
