// CBrivanenDSrvrItem: an nD document as another program shows it when the
// document is embedded there: the graph view's picture in a square.
#pragma once

#include "framework/win/OleServerItem.h"

class CBrivanenDDoc;

class CBrivanenDSrvrItem : public COleServerItem {
  DECLARE_DYNAMIC(CBrivanenDSrvrItem)
 public:
  explicit CBrivanenDSrvrItem(CBrivanenDDoc* pContainerDoc);

  CBrivanenDDoc* GetDocument() const;

  // The embedded item stores the document (which holds only its own OLE items).
  void Serialize(CArchive& ar) override;
  // The content is 3000 x 3000 HIMETRIC.
  BOOL OnGetExtent(DVASPECT nDrawAspect, CSize& rSize) override;
  BOOL OnDraw(CDC* pDC, CSize& rSize) override;
};
