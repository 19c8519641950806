#include "onedim/dialogs/display/ColorPage.h"

#include "framework/win/DataExchange.h"
#include "framework/win/GdiObject.h"
#include "framework/win/WinApp.h"

BEGIN_MESSAGE_MAP(CColorPage, CPropertyPage)
  ON_CBN_SELCHANGE(IDC_COLOR_ICON, OnIconType)
END_MESSAGE_MAP()

BOOL CColorPage::OnInitDialog() {
  m_TracePicker.SubclassDlgItem(IDC_COLOR_TRACE, this);
  m_BackgroundPicker.SubclassDlgItem(IDC_COLOR_BACKGROUND, this);
  for (LPCSTR text : {"Solid", "Dotted", "Circles", "Crosses"})
    ::SendDlgItemMessageA(m_hWnd, IDC_COLOR_DISPLAY_TYPE, CB_ADDSTRING, 0, (LPARAM)text);
  for (LPCSTR text : {"Plain", "Red Gradient", "Green Gradient", "Blue Gradient"})
    ::SendDlgItemMessageA(m_hWnd, IDC_COLOR_ZOOM_STYLE, CB_ADDSTRING, 0, (LPARAM)text);
  if (m_nSpectra == 1)
    GetDlgItem(IDC_COLOR_APPLY_ALL)->ShowWindow(SW_HIDE);

  m_Icon.SubclassDlgItem(IDC_COLOR_ICON, this);
  m_Images.Create(28, 15, ILC_COLOR24, 3, 0);
  for (UINT nBitmap : {IDB_ACTIVE_ICON1, IDB_ACTIVE_ICON2, IDB_ACTIVE_ICON3}) {
    CBitmap bitmap;
    bitmap.LoadBitmap(nBitmap);
    m_Images.Add(&bitmap, (CBitmap*)nullptr);
  }
  m_Icon.SetImageList(&m_Images);
  for (int i = 0; i < 3; ++i)
    m_Icon.InsertItem(i, "", i);
  m_Icon.SetCurSel(m_pIconType != nullptr ? *m_pIconType : 0);
  return CPropertyPage::OnInitDialog();
}

void CColorPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_ColourPicker(pDX, IDC_COLOR_TRACE, m_crTrace);
  DDX_ColourPicker(pDX, IDC_COLOR_BACKGROUND, m_crBackground);
  DDX_CBIndex(pDX, IDC_COLOR_DISPLAY_TYPE, m_nDisplayMode);
  DDX_CBIndex(pDX, IDC_COLOR_ZOOM_STYLE, m_nZoomStyle);
  DDX_Check(pDX, IDC_COLOR_APPLY_ALL, m_bApplyToAll);
  DDX_Check(pDX, IDC_COLOR_SHOW_ICON, m_bShowIcon);
}

void CColorPage::OnIconType() {
  const int nType = m_Icon.GetCurSel();
  if (nType < 0 || nType > 2)
    return;
  if (m_pIconType != nullptr)
    *m_pIconType = nType;
  if (CWinApp* pApp = AfxGetApp())
    pApp->WriteProfileInt("Icon", "Icon Type", nType);
}
