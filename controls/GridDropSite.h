// CGridDropSite: the grid's OLE drop target. It answers for its own grid
// only and leaves every decision to it: which cell would take the text, and
// what a drop does there.
#pragma once

#include "framework/win/OleDropTarget.h"

class CGridCtrl;

class CGridDropSite : public COleDropTarget {
 public:
  CGridDropSite() = default;

  // Once only, and only for a grid's window; FALSE when OLE refuses.
  BOOL Register(CGridCtrl* pGridCtrl);
  void Revoke() override;
  BOOL IsRegistered() const { return m_bRegistered; }

  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  void OnDragLeave(CWnd* pWnd) override;
  BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
  // Copy with Ctrl held, else move; the grid does not scroll under a drag.
  DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

 protected:
  BOOL IsOurs(CWnd* pWnd) const;

  CGridCtrl* m_pGridCtrl = nullptr;
  BOOL m_bRegistered = FALSE;
};
