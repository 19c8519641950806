#include "onedim/dialogs/display/SpectrumProperties.h"

#include <cstring>
#include <vector>

#include "framework/win/CommonControls.h"
#include "framework/win/Dc.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"

IMPLEMENT_DYNAMIC(CSpectrumProperties, CPropertySheet)

namespace {

// What the document file keeps of the look the sheet edits: a change of it
// is a change of the document.
struct CStoredLook {
  COLORREF crTrace, crAxis;
  int nFontHeight;
  bool bFloating;
  LOGFONT lf;

  explicit CStoredLook(const CSpectrum& s)
      : crTrace(s.m_crTrace),
        crAxis(s.m_Scale.m_crAxis),
        nFontHeight(s.m_Scale.m_nBaseFontHeight),
        bFloating(s.m_Scale.IsFloating()),
        lf(s.m_Scale.m_lf) {}
  bool operator==(const CStoredLook& o) const {
    return crTrace == o.crTrace && crAxis == o.crAxis && nFontHeight == o.nFontHeight && bFloating == o.bFloating &&
           std::memcmp(&lf, &o.lf, sizeof lf) == 0;
  }
};

std::vector<CStoredLook> StoredLooks(const CBrivaneProDoc& doc) {
  std::vector<CStoredLook> looks;
  for (int i = 0; i < doc.GetSpectrumCount(); ++i)
    looks.emplace_back(*doc.GetSpectrumAt(i));
  return looks;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSpectrumProperties, CPropertySheet)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CSpectrumProperties::CSpectrumProperties(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage) {
  AddPages();
}

CSpectrumProperties::CSpectrumProperties(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage) {
  AddPages();
}

void CSpectrumProperties::AddPages() {
  AddPage(&m_Parameters);
  AddPage(&m_DataPoints);
  AddPage(&m_Colors);
  AddPage(&m_Scale);
}

BOOL CSpectrumProperties::OnInitDialog() {
  CPropertySheet::OnInitDialog();
  m_LogoFont.DeleteObject();
  m_LogoFont.CreateFont(24, 0, 0, 0, 700, TRUE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
  return TRUE;
}

void CSpectrumProperties::OnPaint() {
  CPaintDC dc(this);
  CWnd* pOK = GetDlgItem(IDOK);
  CTabCtrl* pTab = GetTabControl();
  if (m_strLogo.IsEmpty() || pOK == nullptr || pTab == nullptr || m_LogoFont.m_hObject == nullptr)
    return;
  CRect rcOK, rcTab;
  pOK->GetWindowRect(&rcOK);
  ScreenToClient(&rcOK);
  pTab->GetWindowRect(&rcTab);
  ScreenToClient(&rcTab);
  // The strip beside the buttons: a highlight copy one pixel down and to
  // the right, then the shadow copy in place, reads as embossed.
  CRect rcLogo(rcTab.left, rcOK.top, rcOK.left, rcOK.bottom);
  CSelectGuard font(dc, &m_LogoFont);
  dc.SetBkMode(TRANSPARENT);
  const UINT nFormat = DT_SINGLELINE | DT_VCENTER;
  CRect rcHighlight = rcLogo;
  rcHighlight.OffsetRect(1, 1);
  dc.SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
  dc.DrawText(m_strLogo, &rcHighlight, nFormat);
  dc.SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
  dc.DrawText(m_strLogo, &rcLogo, nFormat);
}

void CSpectrumProperties::LoadFrom(CBrivaneProDoc& doc) {
  CSpectrum* pCurrent = doc.GetCurrentSpectrum();
  if (pCurrent == nullptr)
    return;
  const CSpectrumParams& params = pCurrent->m_paramsA;
  CParametersDlg& parameters = m_Parameters;
  parameters.m_strTitle = params.title;
  parameters.m_nDataPoints = params.td;
  parameters.m_fSpectralWidth = (float)params.sw;
  parameters.m_fFrequency = (float)params.sf;
  parameters.m_fAcqTime = (float)pCurrent->GetAcquisitionTime();
  parameters.m_nByteOrder = params.byteorder;
  parameters.m_pSpectrum = pCurrent;
  parameters.m_pDoc = &doc;
  CDataPoints& points = m_DataPoints;
  points.SetData(pCurrent->m_pData, params.td);
  points.m_nFirst = 0;
  points.m_nLast = (int)(params.td * 0.05);
  CColorPage& colors = m_Colors;
  colors.m_crTrace = pCurrent->m_crTrace;
  colors.m_crBackground = doc.m_crBackground;
  colors.m_nDisplayMode = pCurrent->m_nDisplayMode;
  colors.m_nZoomStyle = doc.m_nZoomBoxStyle;
  colors.m_nSpectra = doc.GetSpectrumCount();
  colors.m_bShowIcon = doc.m_nShowActiveIcon;
  CScalePage& scale = m_Scale;
  scale.m_crScale = pCurrent->m_Scale.m_crAxis;
  scale.m_nSpectra = doc.GetSpectrumCount();
  scale.m_bShowOnlyActive = doc.m_nShowOnlyCurrentScale;
  scale.m_bSolidScale = !pCurrent->m_Scale.IsFloating();
  scale.m_lf = pCurrent->m_Scale.m_lf;
  scale.m_crFont = pCurrent->m_Scale.m_crText;
}

void CSpectrumProperties::ApplyTo(CBrivaneProDoc& doc) const {
  CSpectrum* pCurrent = doc.GetCurrentSpectrum();
  if (pCurrent == nullptr)
    return;
  const CColorPage& colors = m_Colors;
  const CScalePage& scale = m_Scale;
  const std::vector<CStoredLook> before = StoredLooks(doc);
  doc.m_crBackground = colors.m_crBackground;
  doc.m_nShowActiveIcon = colors.m_bShowIcon;
  doc.m_nShowOnlyCurrentScale = scale.m_bShowOnlyActive;
  for (int i = 0; i < doc.GetSpectrumCount(); ++i) {
    CSpectrum* pSpectrum = doc.GetSpectrumAt(i);
    if (colors.m_bApplyToAll || pSpectrum == pCurrent) {
      pSpectrum->m_crTrace = colors.m_crTrace;
      pSpectrum->m_nDisplayMode = colors.m_nDisplayMode;
      // td stays each spectrum's own: it sizes that spectrum's buffers.
      pSpectrum->m_paramsA.title = m_Parameters.m_strTitle;
    }
    if (scale.m_bApplyToAll || pSpectrum == pCurrent) {
      pSpectrum->m_Scale.m_crAxis = scale.m_crScale;
      if (scale.m_bFontChanged) {
        pSpectrum->m_Scale.m_lf = scale.m_lf;
        pSpectrum->m_Scale.m_nBaseFontHeight = scale.m_lf.lfHeight;
        pSpectrum->m_Scale.SetTextColour(scale.m_crFont);
      }
    }
    pSpectrum->m_bShowScale = (BYTE)(scale.m_bShowOnlyActive ? 0 : 1);
  }
  pCurrent->m_bShowScale = 1;
  pCurrent->m_Scale.SetFloating(!scale.m_bSolidScale);
  doc.FixColourConflicts(TRUE);
  CSettingsStore& settings = doc.GetHost()->GetSettings();
  settings.WriteProfileInt("Display", "BackGround", (int)doc.m_crBackground);
  settings.WriteProfileInt("Display", "Spectrum Color", (int)pCurrent->m_crTrace);
  doc.m_nZoomBoxStyle = colors.m_nZoomStyle;
  if (StoredLooks(doc) != before)
    doc.SetModified();
  doc.UpdateViews();
}
