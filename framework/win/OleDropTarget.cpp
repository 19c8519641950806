#include "framework/win/OleDropTarget.h"

#include "framework/win/Wnd.h"

COleDropTarget::~COleDropTarget() {
  COleDropTarget::Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd) {
  if (pWnd == nullptr || pWnd->m_hWnd == nullptr || m_pWnd != nullptr)
    return FALSE;
  if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, this)))
    return FALSE;
  m_pWnd = pWnd;
  return TRUE;
}

void COleDropTarget::Revoke() {
  if (m_pWnd == nullptr)
    return;
  if (m_pWnd->m_hWnd != nullptr)
    ::RevokeDragDrop(m_pWnd->m_hWnd);
  m_pWnd = nullptr;
  m_dataObject.Release();
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) {
  return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) {
  return DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) {
  return FALSE;
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) {
  return DROPEFFECT_NONE;
}

STDMETHODIMP COleDropTarget::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr)
    return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
    *ppv = static_cast<IDropTarget*>(this);
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

CPoint COleDropTarget::ClientPoint(POINTL pt) const {
  POINT point = {pt.x, pt.y};
  if (m_pWnd != nullptr && m_pWnd->m_hWnd != nullptr)
    ::ScreenToClient(m_pWnd->m_hWnd, &point);
  return point;
}

DWORD COleDropTarget::Answer(BOOL bEnter, DWORD grfKeyState, POINTL pt, DWORD dwAllowed) {
  if (m_pWnd == nullptr || m_dataObject.GetIDataObject() == nullptr)
    return DROPEFFECT_NONE;
  CPoint point = ClientPoint(pt);
  DROPEFFECT scroll = OnDragScroll(m_pWnd, grfKeyState, point);
  if (scroll & DROPEFFECT_SCROLL)
    return scroll & (dwAllowed | DROPEFFECT_SCROLL);
  DROPEFFECT effect = bEnter ? OnDragEnter(m_pWnd, &m_dataObject, grfKeyState, point)
                             : OnDragOver(m_pWnd, &m_dataObject, grfKeyState, point);
  return effect & dwAllowed;
}

STDMETHODIMP COleDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
  if (pdwEffect == nullptr)
    return E_INVALIDARG;
  m_dataObject.Attach(pDataObj, FALSE);
  *pdwEffect = Answer(TRUE, grfKeyState, pt, *pdwEffect);
  return S_OK;
}

STDMETHODIMP COleDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
  if (pdwEffect == nullptr)
    return E_INVALIDARG;
  *pdwEffect = Answer(FALSE, grfKeyState, pt, *pdwEffect);
  return S_OK;
}

STDMETHODIMP COleDropTarget::DragLeave() {
  if (m_pWnd != nullptr)
    OnDragLeave(m_pWnd);
  m_dataObject.Release();
  return S_OK;
}

STDMETHODIMP COleDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
  if (pdwEffect == nullptr)
    return E_INVALIDARG;
  m_dataObject.Attach(pDataObj, FALSE);
  // A drop where the target would not take the data is no drop.
  DWORD dwEffect = Answer(FALSE, grfKeyState, pt, *pdwEffect) & ~DROPEFFECT_SCROLL;
  if (dwEffect == DROPEFFECT_NONE) {
    if (m_pWnd != nullptr)
      OnDragLeave(m_pWnd);
  } else if (!OnDrop(m_pWnd, &m_dataObject, dwEffect, ClientPoint(pt))) {
    dwEffect = DROPEFFECT_NONE;
  }
  m_dataObject.Release();
  *pdwEffect = dwEffect;
  return S_OK;
}
