// A server document edited in its container's window: the in-place frame
// made in the container's window, the menus merged with the container's,
// the tool bars in its frame, and the interfaces the container uses to
// place and end the editing.
#include "framework/win/DocTemplate.h"
#include "framework/win/OleIPFrameWnd.h"
#include "framework/win/OleServerDoc.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"

BOOL COleServerDoc::ActivateInPlace() {
  if (m_pInPlaceFrame != nullptr) {
    ActivateUI();
    return TRUE;
  }
  CDocTemplate* pTemplate = GetDocTemplate();
  IOleInPlaceSite* pSite = nullptr;
  if (m_bClosed || m_lpClientSite == nullptr || pTemplate == nullptr ||
      FAILED(m_lpClientSite->QueryInterface(IID_IOleInPlaceSite, (void**)&pSite)))
    return FALSE;
  if (pSite->CanInPlaceActivate() != S_OK || FAILED(pSite->OnInPlaceActivate())) {
    pSite->Release();
    return FALSE;
  }
  HWND hWndParent = nullptr;
  RECT rcPos = {}, rcClip = {};
  OLEINPLACEFRAMEINFO frameInfo = {};
  frameInfo.cb = sizeof frameInfo;
  IOleInPlaceFrame* pFrame = nullptr;
  IOleInPlaceUIWindow* pDocWindow = nullptr;
  COleIPFrameWnd* pIPFrame = nullptr;
  if (SUCCEEDED(pSite->GetWindow(&hWndParent)) && hWndParent != nullptr &&
      SUCCEEDED(pSite->GetWindowContext(&pFrame, &pDocWindow, &rcPos, &rcClip, &frameInfo)) && pFrame != nullptr) {
    CRuntimeClass* pClass =
        pTemplate->m_pOleFrameClass != nullptr ? pTemplate->m_pOleFrameClass : RUNTIME_CLASS(COleIPFrameWnd);
    pIPFrame = static_cast<COleIPFrameWnd*>(pClass->CreateObject());
    CCreateContext context;
    context.m_pNewViewClass = pTemplate->m_pViewClass;
    context.m_pCurrentDoc = this;
    context.m_pNewDocTemplate = pTemplate;
    if (pIPFrame != nullptr && !pIPFrame->CreateInPlace(hWndParent, this, &context)) {
      if (pIPFrame->m_hWnd != nullptr)
        pIPFrame->DestroyWindow();  // deletes it
      else
        delete pIPFrame;
      pIPFrame = nullptr;
    }
  }
  if (pIPFrame == nullptr) {
    ReleaseInterface(pFrame);
    ReleaseInterface(pDocWindow);
    pSite->OnInPlaceDeactivate();
    pSite->Release();
    return FALSE;
  }
  m_pInPlaceFrame = pIPFrame;
  m_lpInPlaceSite = pSite;
  m_lpInPlaceFrame = pFrame;
  m_lpDocWindow = pDocWindow;
  m_hWndContainerFrame = frameInfo.hwndFrame;
  pIPFrame->m_hAccelTable = pTemplate->m_hAccelInPlaceServer;
  pIPFrame->InitialUpdateFrame(this, FALSE);
  pIPFrame->RepositionFrame(&rcPos, &rcClip);
  pIPFrame->ShowWindow(SW_SHOWNOACTIVATE);
  ActivateUI();
  return TRUE;
}

void COleServerDoc::ActivateUI() {
  if (m_bUIActive || m_pInPlaceFrame == nullptr)
    return;
  m_bUIActive = TRUE;
  m_lpInPlaceSite->OnUIActivate();
  wchar_t name[256] = L"";
  ::MultiByteToWideChar(CP_ACP, 0, GetTitle(), -1, name, 256);
  m_lpInPlaceFrame->SetActiveObject(&m_xOleInPlaceActiveObject, name);
  if (m_lpDocWindow != nullptr)
    m_lpDocWindow->SetActiveObject(&m_xOleInPlaceActiveObject, name);
  MergeMenus();
  m_pInPlaceFrame->BuildContainerBars(m_hWndContainerFrame, m_lpInPlaceFrame);
  m_pInPlaceFrame->RepositionContainerBars();
  if (CWinApp* pApp = AfxGetApp())
    pApp->m_pActiveWnd = m_pInPlaceFrame;
  if (CWnd* pView = m_pInPlaceFrame->GetActiveView())
    pView->SetFocus();
}

void COleServerDoc::DeactivateUI() {
  if (!m_bUIActive)
    return;
  m_bUIActive = FALSE;
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr && pApp->m_pActiveWnd == m_pInPlaceFrame)
    pApp->m_pActiveWnd = nullptr;
  m_pInPlaceFrame->ReleaseContainerBars();
  RemoveMenus();
  m_lpInPlaceFrame->SetActiveObject(nullptr, nullptr);
  if (m_lpDocWindow != nullptr)
    m_lpDocWindow->SetActiveObject(nullptr, nullptr);
  m_lpInPlaceSite->OnUIDeactivate(FALSE);
}

void COleServerDoc::DeactivateInPlace() {
  if (m_pInPlaceFrame == nullptr)
    return;
  InternalAddRef();  // the site's calls may release the object
  DeactivateUI();
  COleIPFrameWnd* pIPFrame = m_pInPlaceFrame;
  m_pInPlaceFrame = nullptr;
  pIPFrame->DestroyWindow();  // its view and its bars go with it
  IOleInPlaceSite* pSite = m_lpInPlaceSite;
  m_lpInPlaceSite = nullptr;
  ReleaseInterface(m_lpInPlaceFrame);
  ReleaseInterface(m_lpDocWindow);
  m_hWndContainerFrame = nullptr;
  pSite->OnInPlaceDeactivate();
  pSite->Release();
  InternalRelease();
}

void COleServerDoc::OnDeactivateUI(BOOL) {
  DeactivateInPlace();
}

void COleServerDoc::RequestPositionChange(LPCRECT lpPosRect) {
  if (m_lpInPlaceSite != nullptr)
    m_lpInPlaceSite->OnPosRectChange(lpPosRect);
}

void COleServerDoc::OnSetItemRects(LPCRECT lpPosRect, LPCRECT lpClipRect) {
  if (m_pInPlaceFrame != nullptr)
    m_pInPlaceFrame->RepositionFrame(lpPosRect, lpClipRect);
}

void COleServerDoc::MergeMenus() {
  CDocTemplate* pTemplate = GetDocTemplate();
  HMENU hServerMenu = pTemplate != nullptr ? pTemplate->m_hMenuInPlaceServer : nullptr;
  int nPopups = hServerMenu != nullptr ? ::GetMenuItemCount(hServerMenu) : 0;
  if (nPopups < 2 || m_hSharedMenu != nullptr)
    return;
  m_hSharedMenu = ::CreateMenu();
  OLEMENUGROUPWIDTHS widths = {};
  if (m_hSharedMenu == nullptr || FAILED(m_lpInPlaceFrame->InsertMenus(m_hSharedMenu, &widths))) {
    // A container that shares no menu keeps its own.
    if (m_hSharedMenu != nullptr)
      ::DestroyMenu(m_hSharedMenu);
    m_hSharedMenu = nullptr;
    return;
  }
  // Edit (the first pop-up) after the container's File group, the object's
  // own pop-ups after its Container group, Help (the last) at the end.
  int groups[3] = {1, nPopups - 2, 1};
  int nServer = 0;
  int nPos = 0;
  for (int g = 0; g < 3; ++g) {
    nPos += (int)widths.width[2 * g];
    for (int i = 0; i < groups[g]; ++i, ++nServer, ++nPos) {
      char text[64] = "";
      ::GetMenuStringA(hServerMenu, nServer, text, sizeof text, MF_BYPOSITION);
      ::InsertMenuA(m_hSharedMenu, nPos, MF_BYPOSITION | MF_POPUP, (UINT_PTR)::GetSubMenu(hServerMenu, nServer), text);
    }
    widths.width[2 * g + 1] = groups[g];
    m_nServerPopups[g] = groups[g];
  }
  m_hOleMenu = ::OleCreateMenuDescriptor(m_hSharedMenu, &widths);
  m_lpInPlaceFrame->SetMenu(m_hSharedMenu, m_hOleMenu, m_pInPlaceFrame->m_hWnd);
}

void COleServerDoc::RemoveMenus() {
  if (m_hSharedMenu == nullptr)
    return;
  m_lpInPlaceFrame->SetMenu(nullptr, nullptr, nullptr);
  // Our pop-ups belong to the template: they leave the shared menu without
  // being destroyed with it.
  CDocTemplate* pTemplate = GetDocTemplate();
  HMENU hServerMenu = pTemplate != nullptr ? pTemplate->m_hMenuInPlaceServer : nullptr;
  for (int i = ::GetMenuItemCount(m_hSharedMenu) - 1; i >= 0 && hServerMenu != nullptr; --i) {
    HMENU hPopup = ::GetSubMenu(m_hSharedMenu, i);
    for (int j = 0; j < ::GetMenuItemCount(hServerMenu); ++j)
      if (hPopup != nullptr && hPopup == ::GetSubMenu(hServerMenu, j))
        ::RemoveMenu(m_hSharedMenu, i, MF_BYPOSITION);
  }
  m_lpInPlaceFrame->RemoveMenus(m_hSharedMenu);
  ::DestroyMenu(m_hSharedMenu);
  m_hSharedMenu = nullptr;
  if (m_hOleMenu != nullptr)
    ::OleDestroyMenuDescriptor(m_hOleMenu);
  m_hOleMenu = nullptr;
}

// IOleInPlaceObject

STDMETHODIMP COleServerDoc::XOleInPlaceObject::GetWindow(HWND* phwnd) {
  if (phwnd == nullptr)
    return E_POINTER;
  *phwnd = m_pThis->m_pInPlaceFrame != nullptr ? m_pThis->m_pInPlaceFrame->m_hWnd : nullptr;
  return *phwnd != nullptr ? S_OK : E_FAIL;
}

STDMETHODIMP COleServerDoc::XOleInPlaceObject::ContextSensitiveHelp(BOOL) {
  return E_NOTIMPL;
}

STDMETHODIMP COleServerDoc::XOleInPlaceObject::InPlaceDeactivate() {
  m_pThis->DeactivateInPlace();
  return S_OK;
}

STDMETHODIMP COleServerDoc::XOleInPlaceObject::UIDeactivate() {
  m_pThis->DeactivateUI();
  return S_OK;
}

STDMETHODIMP COleServerDoc::XOleInPlaceObject::SetObjectRects(LPCRECT lprcPosRect, LPCRECT lprcClipRect) {
  if (lprcPosRect == nullptr)
    return E_INVALIDARG;
  m_pThis->OnSetItemRects(lprcPosRect, lprcClipRect != nullptr ? lprcClipRect : lprcPosRect);
  return S_OK;
}

STDMETHODIMP COleServerDoc::XOleInPlaceObject::ReactivateAndUndo() {
  return INPLACE_E_NOTUNDOABLE;
}

// IOleInPlaceActiveObject

STDMETHODIMP COleServerDoc::XOleInPlaceActiveObject::GetWindow(HWND* phwnd) {
  return m_pThis->m_xOleInPlaceObject.GetWindow(phwnd);
}

STDMETHODIMP COleServerDoc::XOleInPlaceActiveObject::ContextSensitiveHelp(BOOL) {
  return E_NOTIMPL;
}

// The object's keys reach it through its own message loop; the container
// never has any to offer.
STDMETHODIMP COleServerDoc::XOleInPlaceActiveObject::TranslateAccelerator(LPMSG) {
  return S_FALSE;
}

STDMETHODIMP COleServerDoc::XOleInPlaceActiveObject::OnFrameWindowActivate(BOOL) {
  return S_OK;
}

STDMETHODIMP COleServerDoc::XOleInPlaceActiveObject::OnDocWindowActivate(BOOL) {
  return S_OK;
}

STDMETHODIMP COleServerDoc::XOleInPlaceActiveObject::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL fFrameWindow) {
  if (fFrameWindow && m_pThis->m_pInPlaceFrame != nullptr && m_pThis->m_bUIActive)
    m_pThis->m_pInPlaceFrame->RepositionContainerBars();
  return S_OK;
}

STDMETHODIMP COleServerDoc::XOleInPlaceActiveObject::EnableModeless(BOOL) {
  return S_OK;
}
