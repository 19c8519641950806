// COleServerItem: what a server document shows in its container: the
// picture (drawn by OnDraw into a metafile), its size in HIMETRIC, and the
// data formats the container may ask for. The document's embedded item
// stands for the whole document.
#pragma once

#include <ole2.h>

#include "framework/base/Size.h"
#include "framework/win/OleDocument.h"

class CDC;
class COleServerDoc;

class COleServerItem : public CDocItem {
  DECLARE_DYNAMIC(COleServerItem)
 public:
  // The item joins pServerDoc's items. With bAutoDelete the document
  // deletes it with its contents.
  COleServerItem(COleServerDoc* pServerDoc, BOOL bAutoDelete);
  ~COleServerItem() override;

  COleServerDoc* GetDocument() const;
  BOOL IsEmbeddedItem() const;

  // Draws the picture; rSize is the extent the picture is recorded in.
  virtual BOOL OnDraw(CDC* pDC, CSize& rSize) = 0;
  // The object's size in HIMETRIC for an aspect; FALSE when it has none.
  // The content aspect gives what the container last set, if anything.
  virtual BOOL OnGetExtent(DVASPECT nDrawAspect, CSize& rSize);
  // The container's size for the object (content aspect only).
  virtual BOOL OnSetExtent(DVASPECT nDrawAspect, const CSize& size);
  // The embedded item stores and reads the whole document.
  void Serialize(CArchive& ar) override;

  // Fills lpStgMedium with the data of lpFormatEtc: the content picture as
  // a metafile picture. FALSE for anything else.
  virtual BOOL OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium);
  // Whether OnRenderData gives the format.
  static BOOL IsRenderedFormat(const FORMATETC* pFormatEtc);
  // The picture as a METAFILEPICT block (the caller owns it), or null.
  HGLOBAL GetMetafileData();

  BOOL m_bAutoDelete;
  CSize m_sizeExtent;  // the container's size for the content, HIMETRIC (0, 0: not set)
};
