#include "onedim/view/FullView.h"

#include "framework/win/Dc.h"
#include "framework/win/GdiObject.h"
#include "onedim/view/BrivaneProView.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/model/Spectrum.h"

IMPLEMENT_DYNCREATE(CFullView, CView)

BEGIN_MESSAGE_MAP(CFullView, CView)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CBrivaneDocument* CFullView::GetDocument() const {
  return static_cast<CBrivaneDocument*>(m_pDocument);
}

BOOL CFullView::OnEraseBkgnd(CDC*) {
  return TRUE;
}  // OnDraw fills the background

void CFullView::OnDraw(CDC* pDC) {
  CBrivaneDocument* pDoc = GetDocument();
  CRect rc;
  GetClientRect(&rc);
  pDC->FillSolidRect(&rc, pDoc != nullptr ? pDoc->m_crBackground : RGB(255, 255, 255));
  const CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (s == nullptr || s->m_paramsA.td < 2 || rc.Width() <= 0)
    return;
  // The whole data across the strip, the visible part boxed.
  int td = s->m_paramsA.td;
  long long nBoxLeft = (long long)s->m_nFirst * rc.Width() / td;
  long long nBoxRight = (long long)s->m_nLast * rc.Width() / td;
  CRect box((int)nBoxLeft, rc.top, (int)nBoxRight, rc.bottom);
  pDC->FillSolidRect(&box, RGB(224, 224, 240));
  CPen frame(PS_SOLID, 1, RGB(0, 0, 128));
  {
    CSelectGuard penGuard(*pDC, &frame);
    CSelectGuard brushGuard(*pDC, NULL_BRUSH);
    pDC->Rectangle(&box);
  }
  CBrivaneProView::DrawTrace(pDC, *s, 0, td, rc.left, rc.right, &rc);
}
