#include "framework/win/OleInPlaceFrame.h"

#include "framework/win/FrameWnd.h"
#include "framework/win/MDIChildWnd.h"
#include "framework/win/MDIFrameWnd.h"

COleInPlaceFrame::COleInPlaceFrame(CFrameWnd* pFrame, HMENU hMenuInPlace, HACCEL hAccel)
    : m_pFrame(pFrame), m_hMenuInPlace(hMenuInPlace), m_hAccel(hAccel) {}

COleInPlaceFrame::~COleInPlaceFrame() {
  if (m_lpActiveObject != nullptr)
    m_lpActiveObject->Release();
}

STDMETHODIMP COleInPlaceFrame::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr)
    return E_POINTER;
  *ppv = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceUIWindow) ||
      IsEqualIID(riid, IID_IOleInPlaceFrame))
    *ppv = static_cast<IOleInPlaceFrame*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) COleInPlaceFrame::AddRef() {
  return (ULONG)::InterlockedIncrement(&m_nRefs);
}

STDMETHODIMP_(ULONG) COleInPlaceFrame::Release() {
  LONG nRefs = ::InterlockedDecrement(&m_nRefs);
  if (nRefs == 0)
    delete this;
  return (ULONG)nRefs;
}

void COleInPlaceFrame::GetFrameInfo(LPOLEINPLACEFRAMEINFO lpFrameInfo) const {
  lpFrameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
  lpFrameInfo->fMDIApp = m_pFrame != nullptr && m_pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));
  lpFrameInfo->hwndFrame = m_pFrame != nullptr ? m_pFrame->GetSafeHwnd() : nullptr;
  lpFrameInfo->haccel = m_hAccel;
  lpFrameInfo->cAccelEntries = m_hAccel != nullptr ? (UINT)::CopyAcceleratorTableA(m_hAccel, nullptr, 0) : 0;
}

STDMETHODIMP COleInPlaceFrame::GetWindow(HWND* phwnd) {
  if (phwnd == nullptr)
    return E_POINTER;
  *phwnd = m_pFrame != nullptr ? m_pFrame->GetSafeHwnd() : nullptr;
  return *phwnd != nullptr ? S_OK : E_FAIL;
}

CRect COleInPlaceFrame::InsideBars() const {
  // The frame lays out its bars first; what is left is the room the
  // document windows have (the pane), border space included.
  CRect rc;
  m_pFrame->GetClientRect(&rc);
  HWND hPane = ::GetDlgItem(m_pFrame->GetSafeHwnd(), AFX_IDW_PANE_FIRST);
  if (hPane != nullptr) {
    ::GetWindowRect(hPane, &rc);
    m_pFrame->ScreenToClient(&rc);
    const CRect& border = m_pFrame->m_rectBorderSpace;
    rc.InflateRect(border.left, border.top, border.right, border.bottom);
  }
  return rc;
}

STDMETHODIMP COleInPlaceFrame::GetBorder(LPRECT lprectBorder) {
  if (lprectBorder == nullptr)
    return E_POINTER;
  if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
    return E_FAIL;
  *lprectBorder = InsideBars();
  return S_OK;
}

STDMETHODIMP COleInPlaceFrame::RequestBorderSpace(LPCBORDERWIDTHS pborderwidths) {
  if (pborderwidths == nullptr)
    return S_OK;
  // The document windows keep some room.
  CRect rc = InsideBars();
  if (pborderwidths->left < 0 || pborderwidths->top < 0 || pborderwidths->right < 0 || pborderwidths->bottom < 0 ||
      pborderwidths->left + pborderwidths->right >= rc.Width() ||
      pborderwidths->top + pborderwidths->bottom >= rc.Height())
    return INPLACE_E_NOTOOLSPACE;
  return S_OK;
}

STDMETHODIMP COleInPlaceFrame::SetBorderSpace(LPCBORDERWIDTHS pborderwidths) {
  if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
    return E_FAIL;
  if (pborderwidths != nullptr && RequestBorderSpace(pborderwidths) != S_OK)
    return OLE_E_INVALIDRECT;
  m_pFrame->m_rectBorderSpace = pborderwidths != nullptr ? CRect(*pborderwidths) : CRect(0, 0, 0, 0);
  m_pFrame->RecalcLayout();
  return S_OK;
}

STDMETHODIMP COleInPlaceFrame::SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR) {
  if (pActiveObject != nullptr)
    pActiveObject->AddRef();
  if (m_lpActiveObject != nullptr)
    m_lpActiveObject->Release();
  m_lpActiveObject = pActiveObject;
  return S_OK;
}

STDMETHODIMP COleInPlaceFrame::InsertMenus(HMENU hmenuShared, LPOLEMENUGROUPWIDTHS lpMenuWidths) {
  if (hmenuShared == nullptr || lpMenuWidths == nullptr)
    return E_INVALIDARG;
  for (LONG& width : lpMenuWidths->width)
    width = 0;
  const int nCount = m_hMenuInPlace != nullptr ? ::GetMenuItemCount(m_hMenuInPlace) : 0;
  // The File group leads; the Window group closes the container's share.
  // Between them (separators in the resource) lie the object's groups.
  int nAt = 0;
  for (int i = 0; i < nCount; i++) {
    HMENU hPopup = ::GetSubMenu(m_hMenuInPlace, i);
    if (hPopup == nullptr)
      continue;
    char szText[64] = {};
    ::GetMenuStringA(m_hMenuInPlace, (UINT)i, szText, sizeof szText, MF_BYPOSITION);
    ::InsertMenuA(hmenuShared, (UINT)nAt++, MF_BYPOSITION | MF_POPUP, (UINT_PTR)hPopup, szText);
    if (i == 0)
      lpMenuWidths->width[0]++;
    else
      lpMenuWidths->width[4]++;
  }
  return S_OK;
}

STDMETHODIMP COleInPlaceFrame::SetMenu(HMENU hmenuShared, HOLEMENU holemenu, HWND hwndActiveObject) {
  if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
    return E_FAIL;
  HWND hFrame = m_pFrame->GetSafeHwnd();
  m_pFrame->m_hMenuInPlaceShared = hmenuShared;
  if (m_pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
    // Without a merged menu the active document window's own comes back.
    auto* pMDI = static_cast<CMDIFrameWnd*>(m_pFrame);
    CMDIChildWnd* pChild = pMDI->MDIGetActive();
    pMDI->OnUpdateFrameMenu(pChild != nullptr ? pChild->m_hMenuShared : nullptr);
  } else {
    ::SetMenu(hFrame, hmenuShared != nullptr ? hmenuShared : m_pFrame->m_hMenuDefault);
  }
  ::DrawMenuBar(hFrame);
  m_hMenuShared = hmenuShared;
  return ::OleSetMenuDescriptor(hmenuShared != nullptr ? holemenu : nullptr, hFrame, hwndActiveObject,
                                hmenuShared != nullptr ? this : nullptr, m_lpActiveObject);
}

STDMETHODIMP COleInPlaceFrame::RemoveMenus(HMENU hmenuShared) {
  if (hmenuShared == nullptr)
    return E_INVALIDARG;
  // Only the container's pop-ups leave; they stay the container's.
  for (int i = ::GetMenuItemCount(hmenuShared) - 1; i >= 0; i--) {
    HMENU hPopup = ::GetSubMenu(hmenuShared, i);
    if (hPopup == nullptr || m_hMenuInPlace == nullptr)
      continue;
    for (int k = ::GetMenuItemCount(m_hMenuInPlace) - 1; k >= 0; k--)
      if (::GetSubMenu(m_hMenuInPlace, k) == hPopup) {
        ::RemoveMenu(hmenuShared, (UINT)i, MF_BYPOSITION);
        break;
      }
  }
  return S_OK;
}

STDMETHODIMP COleInPlaceFrame::SetStatusText(LPCOLESTR pszStatusText) {
  if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
    return E_FAIL;
  char szText[256] = {};
  if (pszStatusText != nullptr)
    ::WideCharToMultiByte(CP_ACP, 0, pszStatusText, -1, szText, sizeof szText - 1, nullptr, nullptr);
  m_pFrame->SetMessageText(szText);
  return S_OK;
}

STDMETHODIMP COleInPlaceFrame::TranslateAccelerator(LPMSG lpmsg, WORD wID) {
  // The object found one of the container's keys: it is a command of the
  // frame's (Escape: end the editing).
  if (lpmsg == nullptr || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
    return S_FALSE;
  if (wID != 0) {
    m_pFrame->PostMessage(WM_COMMAND, MAKEWPARAM(wID, 1), 0);
    return S_OK;
  }
  return m_hAccel != nullptr && ::TranslateAcceleratorA(m_pFrame->GetSafeHwnd(), m_hAccel, lpmsg) ? S_OK : S_FALSE;
}

void COleInPlaceFrame::Restore() {
  if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
    return;
  if (m_hMenuShared != nullptr)
    SetMenu(nullptr, nullptr, nullptr);
  if (!m_pFrame->m_rectBorderSpace.IsRectNull()) {
    m_pFrame->m_rectBorderSpace.SetRectEmpty();
    m_pFrame->RecalcLayout();
  }
}
