#include "framework/win/ToolBar.h"

#include "framework/win/CmdUI.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

// One button during the idle pass: enabling and checking go to the control.
class CToolCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    m_pOther->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? TRUE : FALSE, 0));
  }
  void SetCheck(int nCheck) override { m_pOther->SendMessage(TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck != 0, 0)); }
  void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
  void SetText(LPCSTR) override {}
};

WORD ReadWord(const BYTE* p) {
  return (WORD)(p[0] | (p[1] << 8));
}

}  // namespace

CToolBar::~CToolBar() {
  if (m_hImageList != nullptr)
    ::ImageList_Destroy(m_hImageList);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | (dwCtrlStyle & 0xFFFF) | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                        CCS_NODIVIDER | CCS_NORESIZE;
  if (m_dwStyle & CBRS_TOOLTIPS)
    dwWindowStyle |= TBSTYLE_TOOLTIPS;
  if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
    return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  AttachToFrame(pParentWnd);
  return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
  HINSTANCE hInst = AfxGetResourceHandle();
  HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA(nIDResource), MAKEINTRESOURCEA(RT_TOOLBAR_ID));
  if (hRes == nullptr)
    return FALSE;
  HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
  const BYTE* p = hGlobal != nullptr ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
  DWORD size = ::SizeofResource(hInst, hRes);
  // Version, glyph width, glyph height, count, then count command ids.
  if (p == nullptr || size < 8)
    return FALSE;
  WORD version = ReadWord(p), width = ReadWord(p + 2), height = ReadWord(p + 4), count = ReadWord(p + 6);
  if (version != 1 || width == 0 || height == 0 || width > 256 || height > 256 || size < 8u + 2u * count)
    return FALSE;
  std::vector<UINT> ids(count);
  int nGlyphs = 0;
  for (WORD i = 0; i < count; ++i) {
    ids[i] = ReadWord(p + 8 + 2 * i);
    if (ids[i] != 0)
      ++nGlyphs;
  }
  HBITMAP hBitmap = (HBITMAP)::LoadImageA(hInst, MAKEINTRESOURCEA(nIDResource), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
  if (hBitmap == nullptr)
    return FALSE;
  BITMAP bm = {};
  ::GetObjectA(hBitmap, sizeof(bm), &bm);
  // The bitmap must hold a glyph for every button.
  if (bm.bmWidth < (LONG)width * nGlyphs || bm.bmHeight < (LONG)height) {
    ::DeleteObject(hBitmap);
    return FALSE;
  }
  HIMAGELIST hImages = ::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, nGlyphs > 0 ? nGlyphs : 1, 0);
  // The light grey of the glyphs' background shows the button through.
  int nAdded = hImages != nullptr ? ::ImageList_AddMasked(hImages, hBitmap, RGB(192, 192, 192)) : -1;
  ::DeleteObject(hBitmap);
  if (nAdded < 0) {
    if (hImages != nullptr)
      ::ImageList_Destroy(hImages);
    return FALSE;
  }
  SendMessage(TB_SETIMAGELIST, 0, (LPARAM)hImages);
  if (m_hImageList != nullptr)
    ::ImageList_Destroy(m_hImageList);
  m_hImageList = hImages;
  SetSizes(CSize(width + 7, height + 7), CSize(width, height));
  return SetButtons(ids.data(), (int)ids.size());
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  m_sizeImage = sizeImage;
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  while (GetCount() > 0)
    SendMessage(TB_DELETEBUTTON, 0);
  std::vector<TBBUTTON> buttons((size_t)nIDCount);
  int nImage = 0;
  for (int i = 0; i < nIDCount; ++i) {
    TBBUTTON& b = buttons[(size_t)i];
    b.idCommand = (int)lpIDArray[i];
    if (lpIDArray[i] == 0) {
      b.fsStyle = TBSTYLE_SEP;
      b.iBitmap = 6;  // the separator's width
    } else {
      b.fsStyle = TBSTYLE_BUTTON;
      b.fsState = TBSTATE_ENABLED;
      b.iBitmap = nImage++;
    }
  }
  if (nIDCount > 0 && !SendMessage(TB_ADDBUTTONSA, (WPARAM)nIDCount, (LPARAM)buttons.data()))
    return FALSE;
  if (m_pDockSite != nullptr && m_pDockSite->m_hWnd != nullptr)
    m_pDockSite->PostMessage(WM_RECALCPARENT);
  return TRUE;
}

UINT CToolBar::GetItemID(int nIndex) const {
  TBBUTTON button = {};
  if (!SendMessage(TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)&button))
    return 0;
  return (UINT)button.idCommand;
}

BOOL CToolBar::SetButtonText(int nIndex, LPCSTR lpszText) {
  TBBUTTONINFOA info = {};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
  info.pszText = const_cast<LPSTR>(lpszText);
  return (BOOL)SendMessage(TB_SETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info);
}

CString CToolBar::GetButtonText(int nIndex) const {
  char text[256] = "";
  TBBUTTONINFOA info = {};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
  info.pszText = text;
  info.cchText = sizeof(text);
  SendMessage(TB_GETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info);
  return CString(text);
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  // Down the left or right side the buttons wrap one per row.
  BOOL bVertical = !bHorz;
  int nCount = GetCount();
  if (bVertical != m_bVertical) {
    m_bVertical = bVertical;
    for (int i = 0; i < nCount; ++i) {
      UINT nID = GetItemID(i);
      LRESULT state = SendMessage(TB_GETSTATE, nID);
      if (state == -1)
        continue;
      state = bVertical ? (state | TBSTATE_WRAP) : (state & ~TBSTATE_WRAP);
      SendMessage(TB_SETSTATE, nID, MAKELPARAM((WORD)state, 0));
    }
    ModifyStyle(bVertical ? 0 : CCS_VERT, bVertical ? CCS_VERT : 0);
    SendMessage(TB_AUTOSIZE);  // the buttons take their new rows
  }
  CRect extent(0, 0, 0, 0);
  for (int i = 0; i < nCount; ++i) {
    CRect rc;
    GetItemRect(i, &rc);
    extent |= rc;
  }
  CSize size(extent.right + m_cxLeftBorder + m_cxRightBorder, extent.bottom + m_cyTopBorder + m_cyBottomBorder);
  // A docked bar's gripper lies before its buttons.
  if (HasGripper()) {
    if (bHorz)
      size.cx += kGripperSize;
    else
      size.cy += kGripperSize;
  }
  if (bStretch) {
    if (bHorz)
      size.cx = 32767;
    else
      size.cy = 32767;
  }
  return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  UpdateButtons(pTarget, bDisableIfNoHndler);
}

void CToolBar::UpdateButtons(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CToolCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = (UINT)GetCount();
  for (UINT i = 0; i < state.m_nIndexMax; ++i) {
    state.m_nIndex = i;
    state.m_nID = GetItemID((int)i);
    if (state.m_nID == 0)
      continue;  // separator
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
}
