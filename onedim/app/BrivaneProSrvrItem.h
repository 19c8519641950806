// CBrivaneProSrvrItem: a 1D document as another program shows it when the
// document is embedded there. The picture is the product's name, not the
// spectrum.
#pragma once

#include "framework/win/OleServerItem.h"

class CBrivaneDocument;

class CBrivaneProSrvrItem : public COleServerItem {
  DECLARE_DYNAMIC(CBrivaneProSrvrItem)
 public:
  explicit CBrivaneProSrvrItem(CBrivaneDocument* pContainerDoc);

  CBrivaneDocument* GetDocument() const;

  // The embedded item stores the document (which holds only its own OLE items).
  void Serialize(CArchive& ar) override;
  // The content: 40 x 22 tenths of an inch (through the screen's pixels
  // per inch), in HIMETRIC.
  BOOL OnGetExtent(DVASPECT nDrawAspect, CSize& rSize) override;
  BOOL OnDraw(CDC* pDC, CSize& rSize) override;
};
