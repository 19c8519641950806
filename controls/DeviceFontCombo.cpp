#include "controls/DeviceFontCombo.h"

#include <algorithm>
#include <vector>

#include "framework/win/Dc.h"

BEGIN_MESSAGE_MAP(CDeviceFontCombo, CComboBox)
  ON_WM_CREATE()
  ON_CONTROL_REFLECT_EX(CBN_SETFOCUS, OnSetFocus)
  ON_CONTROL_REFLECT_EX(CBN_KILLFOCUS, OnKillFocus)
  ON_CONTROL_REFLECT_EX(CBN_CLOSEUP, OnCloseUp)
  ON_WM_TIMER()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CDeviceFontCombo::CDeviceFontCombo() : m_FontMap(10) {}

CDeviceFontCombo::~CDeviceFontCombo() {
  DeleteFontMap();
}

int CDeviceFontCombo::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  int nResult = CComboBox::OnCreate(lpCreateStruct);
  if (nResult != -1)
    Fill();
  return nResult;
}

int CALLBACK CDeviceFontCombo::EnumScreenFont(const LOGFONTA* lplf, const TEXTMETRICA*, DWORD dwType, LPARAM lParam) {
  if ((dwType & RASTER_FONTTYPE) == 0)
    reinterpret_cast<CDeviceFontCombo*>(lParam)->AddFont(lplf->lfFaceName,
                                                         (dwType & TRUETYPE_FONTTYPE) ? kTrueType : 0);
  return 1;
}

int CALLBACK CDeviceFontCombo::EnumPrinterFont(const LOGFONTA* lplf, const TEXTMETRICA*, DWORD dwType, LPARAM lParam) {
  if ((dwType & DEVICE_FONTTYPE) != 0 && (dwType & TRUETYPE_FONTTYPE) == 0)
    reinterpret_cast<CDeviceFontCombo*>(lParam)->AddFont(lplf->lfFaceName, kPrinterFont);
  return 1;
}

HDC CDeviceFontCombo::CreateDefaultPrinterDC() {
  PRINTDLGA pd = {};
  pd.lStructSize = sizeof(pd);
  // No dialog, and no warning either when there is no printer.
  pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC | PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
             PD_NOSELECTION | PD_NOWARNING;
  HDC hDC = ::PrintDlgA(&pd) ? pd.hDC : nullptr;
  if (pd.hDevMode != nullptr)
    ::GlobalFree(pd.hDevMode);
  if (pd.hDevNames != nullptr)
    ::GlobalFree(pd.hDevNames);
  return hDC;
}

void CDeviceFontCombo::AddFont(LPCSTR lpszFace, BYTE nKind) {
  void* p = nullptr;
  if (m_FontMap.Lookup(lpszFace, p)) {
    static_cast<FontRecord*>(p)->nKind |= nKind;
    return;
  }
  m_FontMap.SetAt(lpszFace, new FontRecord{nKind, 0});
}

void CDeviceFontCombo::DeleteFontMap() {
  POSITION pos = m_FontMap.GetStartPosition();
  while (pos != nullptr) {
    CString strFace;
    void* p = nullptr;
    m_FontMap.GetNextAssoc(pos, strFace, p);
    delete static_cast<FontRecord*>(p);
  }
  m_FontMap.RemoveAll();
}

void CDeviceFontCombo::Fill() {
  if (!m_FontMap.IsEmpty())
    return;  // listed already: a second fill would list every face twice
  if (m_FontTip.m_hWnd == nullptr)
    m_FontTip.Create(this);
  if (m_ImageList.GetSafeHandle() == nullptr)
    m_ImageList.Create(kIconBitmap, kIconWidth, 1, RGB(255, 0, 255));

  LOGFONTA lf = {};
  lf.lfCharSet = ANSI_CHARSET;
  HDC hScreen = ::GetDC(nullptr);
  ::EnumFontFamiliesExA(hScreen, &lf, reinterpret_cast<FONTENUMPROCA>(&EnumScreenFont), reinterpret_cast<LPARAM>(this),
                        0);
  ::ReleaseDC(nullptr, hScreen);
  if (HDC hPrinter = CreateDefaultPrinterDC()) {
    ::EnumFontFamiliesExA(hPrinter, &lf, reinterpret_cast<FONTENUMPROCA>(&EnumPrinterFont),
                          reinterpret_cast<LPARAM>(this), 0);
    ::DeleteDC(hPrinter);
  }

  std::vector<CString> faces;
  faces.reserve((size_t)m_FontMap.GetCount());
  for (POSITION pos = m_FontMap.GetStartPosition(); pos != nullptr;) {
    CString strFace;
    void* p = nullptr;
    m_FontMap.GetNextAssoc(pos, strFace, p);
    faces.push_back(strFace);
  }
  std::sort(faces.begin(), faces.end(), [](const CString& a, const CString& b) { return a.Compare(b) < 0; });
  // Each before the first item that compares greater: the faces ascend, so
  // the place to look from only moves down.
  int nPos = 0;
  CString strItem;
  for (const CString& strFace : faces) {
    for (const int nCount = GetCount(); nPos < nCount; ++nPos) {
      GetLBText(nPos, strItem);
      if (strItem.Compare(strFace) > 0)
        break;
    }
    nPos = InsertString(nPos, strFace);
    if (nPos < 0)
      break;
    SetItemData(nPos++, 0);
  }
  SetTimer(kPreviewTimer, kPreviewPeriod);
}

int CDeviceFontCombo::GetFontKind(LPCSTR lpszFace) const {
  void* p = nullptr;
  return lpszFace != nullptr && m_FontMap.Lookup(lpszFace, p) ? static_cast<const FontRecord*>(p)->nKind : 0;
}

void CDeviceFontCombo::SetRecent(LPCSTR lpszFace, BOOL bRecent) {
  void* p = nullptr;
  if (m_FontMap.Lookup(lpszFace, p))
    static_cast<FontRecord*>(p)->bRecent = (BYTE)(bRecent ? 1 : 0);
}

void CDeviceFontCombo::SelectFace(LPCSTR lpszFace) {
  if (lpszFace == nullptr || m_hWnd == nullptr)
    return;
  int nFound = -1;
  CString strItem;
  for (int i = 0; i < GetCount() && GetItemData(i) == 1; ++i) {
    GetLBText(i, strItem);
    if (strItem == lpszFace) {
      nFound = i;
      break;
    }
  }
  if (nFound != 0) {
    if (nFound > 0)
      DeleteString((UINT)nFound);
    else
      SetRecent(lpszFace, TRUE);
    InsertString(0, lpszFace);
    SetItemData(0, 1);
    if (nFound < 0 && GetItemData(kMaxRecent) == 1) {
      // The oldest recent face leaves the group; it stays in the list below.
      GetLBText(kMaxRecent, strItem);
      SetRecent(strItem, FALSE);
      DeleteString(kMaxRecent);
    }
  }
  SetCurSel(0);
}

void CDeviceFontCombo::RestoreValidText() {
  CString strText;
  GetWindowText(strText);
  const BOOL bListed = FindStringExact(-1, strText) != CB_ERR;
  if (GetCurSel() == CB_ERR && !bListed)
    SetWindowText(m_strValidText);
  else if (bListed)
    m_strValidText = strText;
}

BOOL CDeviceFontCombo::OnSetFocus() {
  GetWindowText(m_strPrevText);
  if (FindStringExact(-1, m_strPrevText) != CB_ERR)
    m_strValidText = m_strPrevText;
  return FALSE;  // the parent hears it too
}

BOOL CDeviceFontCombo::OnKillFocus() {
  RestoreValidText();
  return FALSE;
}

BOOL CDeviceFontCombo::OnCloseUp() {
  RestoreValidText();
  const int nSel = GetCurSel();
  if (nSel != CB_ERR) {
    CString strFace;
    GetLBText(nSel, strFace);
    SelectFace(strFace);
  }
  if (m_FontTip.m_hWnd != nullptr)
    m_FontTip.ShowWindow(SW_HIDE);
  return FALSE;
}

void CDeviceFontCombo::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kPreviewTimer) {
    Default();
    return;
  }
  const int nSel = GetCurSel();
  if (!GetDroppedState() || nSel == CB_ERR)
    return;
  CRect rcList;
  SendMessage(CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)&rcList);
  const int nTop = (int)SendMessage(CB_GETTOPINDEX);
  CString strFace;
  GetLBText(nSel, strFace);
  m_FontTip.ShowFont(rcList.right + 5, rcList.top + GetItemHeight(0) * (nSel - nTop + 1), strFace);
}

void CDeviceFontCombo::OnDestroy() {
  KillTimer(kPreviewTimer);
  if (m_FontTip.m_hWnd != nullptr)
    m_FontTip.DestroyWindow();
  DeleteFontMap();
  Default();
}

void CDeviceFontCombo::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  if (lpDIS->itemID == (UINT)-1)
    return;
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  const CRect rc = lpDIS->rcItem;
  if (lpDIS->itemState & ODS_SELECTED) {
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_HIGHLIGHT));
    pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    pDC->FillSolidRect(&rc, pDC->GetBkColor());
  }
  pDC->SetBkMode(TRANSPARENT);

  CString strFace;
  GetLBText((int)lpDIS->itemID, strFace);
  const int nKind = GetFontKind(strFace);
  const int nImage = (nKind & kTrueType) ? 1 : (nKind & kPrinterFont) ? 0 : -1;
  if (nImage >= 0 && m_ImageList.GetSafeHandle() != nullptr)
    m_ImageList.Draw(pDC, nImage, CPoint(rc.left, rc.top + (rc.Height() - kIconWidth) / 2), ILD_TRANSPARENT);
  CRect rcText = rc;
  rcText.left += 17;
  pDC->DrawText(strFace, &rcText, DT_SINGLELINE | DT_VCENTER);

  // The last of the recent faces: a double line under it.
  if (lpDIS->itemData == 1 && GetItemData((int)lpDIS->itemID + 1) != 1) {
    TEXTMETRICA tm = {};
    pDC->GetTextMetrics(&tm);
    for (int y : {rc.top + (int)tm.tmHeight, rc.top + (int)tm.tmHeight + 2}) {
      pDC->MoveTo(rc.left, y);
      pDC->LineTo(rc.right, y);
    }
  }
  if (lpDIS->itemState & ODS_FOCUS)
    pDC->DrawFocusRect(&rc);
}
