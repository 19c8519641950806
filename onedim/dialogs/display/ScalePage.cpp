#include "onedim/dialogs/display/ScalePage.h"

#include "framework/win/CommonDialogs.h"
#include "framework/win/DataExchange.h"

BEGIN_MESSAGE_MAP(CScalePage, CPropertyPage)
  ON_BN_CLICKED(IDC_SCALE_FONT, OnChangeFont)
END_MESSAGE_MAP()

BOOL CScalePage::OnInitDialog() {
  m_ScalePicker.SubclassDlgItem(IDC_SCALE_COLOR, this);
  m_ScalePicker.SetAutomaticText("");
  m_lfOpened = m_lf;
  m_crFontOpened = m_crFont;
  m_bFontChangedOpened = m_bFontChanged;
  // With one spectrum there is no other scale to hide, but its scale may
  // be solid; with several it is the other way round.
  GetDlgItem(IDC_SCALE_ONLY_ACTIVE)->ShowWindow(m_nSpectra == 1 ? SW_HIDE : SW_SHOW);
  GetDlgItem(IDC_SCALE_SOLID)->ShowWindow(m_nSpectra == 1 ? SW_SHOW : SW_HIDE);
  return CPropertyPage::OnInitDialog();
}

void CScalePage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_ColourPicker(pDX, IDC_SCALE_COLOR, m_crScale);
  DDX_Check(pDX, IDC_SCALE_ONLY_ACTIVE, m_bShowOnlyActive);
  DDX_Check(pDX, IDC_SCALE_SOLID, m_bSolidScale);
  DDX_Check(pDX, IDC_SCALE_APPLY_ALL, m_bApplyToAll);
}

void CScalePage::OnChangeFont() {
  CFontDialog dlg(&m_lf, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
  dlg.m_cf.rgbColors = m_crFont;
  if (dlg.DoModal() != IDOK)
    return;
  dlg.GetCurrentFont(&m_lf);
  m_crFont = dlg.GetColor();
  m_bFontChanged = 1;
}

void CScalePage::OnReset() {
  m_lf = m_lfOpened;
  m_crFont = m_crFontOpened;
  m_bFontChanged = m_bFontChangedOpened;
  CPropertyPage::OnReset();
}
