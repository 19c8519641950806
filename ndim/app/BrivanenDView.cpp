#include "ndim/app/BrivanenDView.h"

#include "framework/win/Dc.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/data/Spectrum2D.h"

IMPLEMENT_DYNCREATE(CBrivanenDView, CView)

BEGIN_MESSAGE_MAP(CBrivanenDView, CView)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CBrivanenDDoc* CBrivanenDView::GetDocument() const {
  CDocument* pDoc = CView::GetDocument();
  return pDoc != nullptr && pDoc->IsKindOf(RUNTIME_CLASS(CBrivanenDDoc)) ? static_cast<CBrivanenDDoc*>(pDoc) : nullptr;
}

void CBrivanenDView::OnDraw(CDC* pDC) {
  CRect clip;
  pDC->GetClipBox(&clip);
  pDC->PatBlt(clip.left, clip.top, clip.Width(), clip.Height(), WHITENESS);
  CBrivanenDDoc* pDoc = GetDocument();
  if (pDoc == nullptr)
    return;
  for (POSITION pos = pDoc->m_dataSets.GetHeadPosition(); pos != nullptr;) {
    CSpectrum2D* pSet = static_cast<CSpectrum2D*>(pDoc->m_dataSets.GetNext(pos));
    pSet->m_dPrintFactorX = pSet->m_dPrintFactorY = 1.0;
    pSet->m_axis.m_dPrintFactorX = pSet->m_axis.m_dPrintFactorY = 1.0;
    pSet->Draw(pDC);
  }
}
