#include "controls/GridDropSite.h"

#include "controls/GridCtrl.h"

BOOL CGridDropSite::Register(CGridCtrl* pGridCtrl) {
  if (m_bRegistered || pGridCtrl == nullptr || !pGridCtrl->IsKindOf(RUNTIME_CLASS(CGridCtrl)))
    return FALSE;
  m_pGridCtrl = pGridCtrl;
  m_bRegistered = COleDropTarget::Register(pGridCtrl);
  return m_bRegistered;
}

void CGridDropSite::Revoke() {
  m_bRegistered = FALSE;
  COleDropTarget::Revoke();
}

BOOL CGridDropSite::IsOurs(CWnd* pWnd) const {
  return m_pGridCtrl != nullptr && pWnd == m_pGridCtrl;
}

DROPEFFECT CGridDropSite::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  return IsOurs(pWnd) ? m_pGridCtrl->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT CGridDropSite::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  return IsOurs(pWnd) ? m_pGridCtrl->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

void CGridDropSite::OnDragLeave(CWnd* pWnd) {
  if (IsOurs(pWnd))
    m_pGridCtrl->OnDragLeave();
}

BOOL CGridDropSite::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
  return IsOurs(pWnd) && m_pGridCtrl->OnDrop(pDataObject, dropEffect, point);
}

DROPEFFECT CGridDropSite::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) {
  if (!IsOurs(pWnd))
    return DROPEFFECT_NONE;
  return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
