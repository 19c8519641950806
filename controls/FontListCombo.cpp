#include "controls/FontListCombo.h"

#include "framework/win/Dc.h"
#include "framework/win/GdiObject.h"

BEGIN_MESSAGE_MAP(CFontListCombo, CComboBox)
  ON_WM_CREATE()
  ON_MESSAGE(WMU_FONT_LIST_FILL, OnFill)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CFontListCombo::CFontListCombo()
    : m_crHighlight(::GetSysColor(COLOR_HIGHLIGHT)),
      m_crWindowText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_crHighlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_crWindow(::GetSysColor(COLOR_WINDOW)) {}

CFontListCombo::~CFontListCombo() = default;

int CFontListCombo::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  int nResult = CComboBox::OnCreate(lpCreateStruct);
  if (nResult != -1 && m_pOwnerList == nullptr)
    PostMessage(WMU_FONT_LIST_FILL);
  return nResult;
}

LRESULT CFontListCombo::OnFill(WPARAM, LPARAM) {
  Fill();
  return 0;
}

int CALLBACK CFontListCombo::EnumFontProc(const LOGFONTA* lplf, const TEXTMETRICA*, DWORD dwType, LPARAM lParam) {
  CFontListCombo* pCombo = reinterpret_cast<CFontListCombo*>(lParam);
  if ((dwType & TRUETYPE_FONTTYPE) == 0 || lplf->lfCharSet == SYMBOL_CHARSET)
    return 1;
  // A face may come once for each of its character sets: the first stays.
  if (pCombo->FindStringExact(-1, lplf->lfFaceName) != CB_ERR)
    return 1;
  // The index the combo gave the name, which a sorted combo chooses itself.
  const int nIndex = pCombo->AddString(lplf->lfFaceName);
  if (nIndex >= 0)
    pCombo->SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(new LOGFONT(*lplf)));
  return 1;
}

void CFontListCombo::Fill() {
  if (m_bFilled)
    FreeItemData();
  m_bFilled = FALSE;
  ResetContent();
  if (m_pOwnerList != nullptr) {
    for (POSITION pos = m_pOwnerList->GetHeadPosition(); pos != nullptr;) {
      const LOGFONT* plf = static_cast<const LOGFONT*>(m_pOwnerList->GetNext(pos));
      const int nIndex = plf != nullptr ? AddString(plf->lfFaceName) : CB_ERR;
      if (nIndex >= 0)
        SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(plf));
    }
    return;
  }
  CClientDC dc(this);
  ::EnumFontsA(dc.m_hDC, nullptr, reinterpret_cast<FONTENUMPROCA>(&EnumFontProc), reinterpret_cast<LPARAM>(this));
  m_bFilled = TRUE;
}

void CFontListCombo::FreeItemData() {
  if (m_hWnd == nullptr)
    return;
  for (int i = GetCount() - 1; i >= 0; --i) {
    const DWORD_PTR data = GetItemData(i);
    if (data != 0 && data != (DWORD_PTR)CB_ERR)
      delete reinterpret_cast<LOGFONT*>(data);
    SetItemData(i, 0);
  }
}

void CFontListCombo::OnDestroy() {
  if (m_bFilled)
    FreeItemData();
  Default();
}

int CFontListCombo::GetSelectedLogFont(LOGFONT& lf) const {
  const int nSel = GetCurSel();
  if (nSel == CB_ERR)
    return -1;
  const DWORD_PTR data = GetItemData(nSel);
  if (data == 0 || data == (DWORD_PTR)CB_ERR)
    return -1;
  lf = *reinterpret_cast<const LOGFONT*>(data);
  return nSel;
}

void CFontListCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
  lpMIS->itemHeight = 14;
}

void CFontListCombo::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  CRect rc = lpDIS->rcItem;
  if (lpDIS->itemID == (UINT)-1) {
    pDC->FillSolidRect(&rc, m_crWindow);  // nothing chosen yet
    return;
  }
  const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
  pDC->FillSolidRect(&rc, bSelected ? m_crHighlight : m_crWindow);
  pDC->SetTextColor(bSelected ? m_crHighlightText : m_crWindowText);
  pDC->SetBkMode(TRANSPARENT);

  CString strFace;
  GetLBText((int)lpDIS->itemID, strFace);
  const DWORD_PTR data = lpDIS->itemData;
  CFont font;
  // The owner's fonts need not be screen fonts: they are named, not shown.
  if (m_pOwnerList == nullptr && data != 0 && data != (DWORD_PTR)CB_ERR) {
    // The face at 9 points.
    LOGFONT lf = *reinterpret_cast<const LOGFONT*>(data);
    lf.lfHeight = 90;
    lf.lfWidth = 0;
    font.CreatePointFontIndirect(&lf);
  }
  HGDIOBJ hFont = font.GetSafeHandle();
  if (hFont == nullptr)
    hFont = m_pOwnerList != nullptr ? (HGDIOBJ)SendMessage(WM_GETFONT) : nullptr;
  CSelectGuard select(pDC->m_hDC, hFont != nullptr ? hFont : ::GetStockObject(DEFAULT_GUI_FONT));
  pDC->DrawText(strFace, &rc, DT_SINGLELINE | DT_VCENTER);
}
