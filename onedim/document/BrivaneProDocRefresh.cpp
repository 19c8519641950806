// Laying out the spectra of a document after they were read, and the
// display settings that come from the profile.
#include <cmath>

#include "onedim/model/AxisScale.h"
#include "onedim/model/ColourFont.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/WindowFunction.h"

namespace {

// Colours of added spectra, one after the other; the tenth starts again.
const COLORREF kTraceCycle[] = {
    RGB(0, 0, 0),   RGB(255, 0, 0),   RGB(192, 192, 192), RGB(0, 128, 0),   RGB(0, 0, 255),
    RGB(0, 255, 0), RGB(0, 255, 255), RGB(255, 255, 0),   RGB(255, 0, 255),
};
const int kTraceCycleLength = sizeof(kTraceCycle) / sizeof(kTraceCycle[0]);

// The FID lasts td / (2 sw) seconds; without a spectral width it is unknown.
double AcquisitionTime(const CSpectrum* s) {
  double sw = s->m_paramsA.sw;
  if (!(sw > 0.0) || !std::isfinite(sw))
    return 0.0;
  return s->m_paramsA.td / (2.0 * sw);
}

// The integral-label font from its one-line text. A text without fields is a
// face name (the program's default is plain "Arial"): it keeps the other
// font values instead of reading them all as 0.
void SetIntegralFont(CColourFont& font, const CString& strFont) {
  if (strFont.Find(',') >= 0)
    font.SetFontString(strFont);
  else if (!strFont.IsEmpty())
    font.SetFaceName(strFont);
}

COLORREF Complement(COLORREF cr) {
  return RGB(255 - GetRValue(cr), 255 - GetGValue(cr), 255 - GetBValue(cr));
}

}  // namespace

void CBrivaneProDoc::PrepareBuffers(CSpectrum* pSpectrum) {
  // A fresh, zeroed weighted copy; the old one goes (it may hold a stale
  // weighting). Without memory the old one stays.
  float* pWeighted = CSpectrum::AllocateFloats(pSpectrum->m_paramsA.td);
  if (pWeighted != nullptr) {
    delete[] pSpectrum->m_pWeighted;
    pSpectrum->m_pWeighted = pWeighted;
  }
  if (pSpectrum->m_pWindow == nullptr)
    pSpectrum->m_pWindow = new CWindowFunction(pSpectrum->m_pRawData, pSpectrum->m_pWeighted, &pSpectrum->m_paramsA.td,
                                               &pSpectrum->m_paramsA.sw);
  else
    pSpectrum->m_pWindow->SetBuffers(pSpectrum->m_pRawData, pSpectrum->m_pWeighted);
}

void CBrivaneProDoc::LayOutAsSpectrum(CSpectrum& s, const RECT& rcClient) {
  s.m_rectPlot.top = rcClient.bottom - 36;
  s.m_rectPlot.bottom = rcClient.bottom - 46;
  if (s.m_fIntensityStep != 0.0f)
    s.m_fVerticalScale = 0.8f * (float)(rcClient.bottom - rcClient.top) / s.m_fIntensityStep;
}

void CBrivaneProDoc::RefreshAfterLoad() {
  m_pHost->SetScaleRuler(0, 100);
  if (m_pCurrent != nullptr)
    m_pHost->SetScaleUnitsEntry(UnitsEntry(m_pCurrent->m_Scale.m_nUnits));

  m_nSpectra = 0;
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = m_Spectra.GetSpectrum(pos);
    PrepareBuffers(s);
    s->m_rectPlot.left = s->m_nLeftPixel;
    s->m_rectPlot.right = s->m_nRightPixel;
    s->m_bDataChanged = 1;
    // A file that keeps the acquisition time gives it as it was shown; a
    // transform or zero filling since the acquisition changed td.
    if (!(s->m_paramsA.aq > 0.0))
      s->m_paramsA.aq = AcquisitionTime(s);
    // The file keeps no integral font: the values are labelled as when the
    // spectrum was read in, not in the class's default face.
    SetIntegralFont(s->m_IntegralFont, GetAppState().m_Integration.strFont);
    m_nSpectra++;
  }
  SetModified(TRUE);
  UpdateViews();
}

void CBrivaneProDoc::RefreshAfterAdd() {
  m_pHost->SetScaleRuler(0, 100);
  // A spectrum read already transformed is shown on its own axis.
  const BOOL bSpectrum = m_pCurrent != nullptr && m_pCurrent->m_bTransformed;
  m_pHost->SetScaleUnitsEntry(bSpectrum ? UnitsEntry(m_pCurrent->m_Scale.m_nUnits) : 0);
  ReadDisplaySettings();
  m_fToolValue = 100.0f;
  m_nToolValue = 0;

  RECT rcClient;
  m_pHost->GetViewClientRect(&rcClient);
  long long nWidth = (long long)rcClient.right - rcClient.left;
  long long nHeight = (long long)rcClient.bottom - rcClient.top;
  const CIntegrationSettings& integ = GetAppState().m_Integration;

  int i = 0;
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr; i++) {
    CSpectrum* s = m_Spectra.GetSpectrum(pos);
    s->m_nFirst = 0;
    s->m_nLast = s->m_paramsA.td;
    PrepareBuffers(s);
    s->m_bDataChanged = 1;
    s->m_crTrace = kTraceCycle[i % kTraceCycleLength];
    s->m_Scale.m_crAxis = s->m_crTrace;
    s->m_nLeftPixel = 0;
    s->m_nRightPixel = (int)nWidth;
    s->m_paramsA.aq = AcquisitionTime(s);
    s->m_nIntegralsOnTop = integ.bOnTop;
    s->m_nShowIntegralValues = integ.bShowValue;
    s->m_nShowIntegralCurves = integ.bShowCurve;
    s->m_nIntegralRectangle = integ.bRectangle;
    s->m_nIntegralLineWidth = integ.nWidth;
    s->m_nIntegralDistance = integ.nDistance;
    s->m_bVerticalIntegralLabels = integ.bVertical;
    SetIntegralFont(s->m_IntegralFont, integ.strFont);
  }
  m_nSpectra = i;

  // Stack the spectra evenly over the view, each on a band of its own,
  // oriented as the Overlay and Stacked layouts write it (top below the
  // zero line), so an arrow mark's line ends at the same place after either.
  int d = 0;
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr; d++) {
    CSpectrum* s = m_Spectra.GetSpectrum(pos);
    int m = (int)(nHeight * (d + 1) / (m_nSpectra + 1));
    s->m_rectPlot.left = 0;
    s->m_rectPlot.right = (int)nWidth;
    s->m_rectPlot.top = m + 5;
    s->m_rectPlot.bottom = m - 5;
    s->m_Scale.SetPosition(m + 5);
    s->m_Scale.SetFloating(true);
    if (s->m_pWindow == nullptr)
      PrepareBuffers(s);
  }

  if (m_pCurrent != nullptr) {
    m_pCurrent->m_crTrace = m_crDefaultTrace;
    m_pCurrent->m_Scale.m_crAxis = m_crDefaultTrace;
    if (m_nSpectra == 1)
      m_pCurrent->m_Scale.SetFloating(false);
    // As a transform would lay it out.
    if (m_nSpectra == 1 && bSpectrum && nHeight > 0)
      LayOutAsSpectrum(*m_pCurrent, rcClient);
  }
  FixColourConflicts(FALSE);
  SetModified(TRUE);
  UpdateViews();
}

void CBrivaneProDoc::ReadDisplaySettings() {
  CSettingsStore& settings = m_pHost->GetSettings();
  // Absent entries read as -1 and take the program's defaults.
  int n = settings.GetProfileInt("Display", "BackGround", -1);
  m_crBackground = n == -1 ? RGB(255, 255, 255) : (COLORREF)n;
  n = settings.GetProfileInt("Display", "Spectrum Color", -1);
  m_crDefaultTrace = n == -1 ? RGB(0, 0, 255) : (COLORREF)n;

  CIntegrationSettings& integ = GetAppState().m_Integration;
  integ.bOnTop = settings.GetProfileInt("Integration", "OnTop", -1) != 0;
  integ.bShowValue = settings.GetProfileInt("Integration", "ShowValue", -1) != 0;
  integ.bShowCurve = settings.GetProfileInt("Integration", "ShowCurve", -1) != 0;
  integ.bRectangle = settings.GetProfileInt("Integration", "Rectangle", -1) != 0;
  n = settings.GetProfileInt("Integration", "Width", -1);
  integ.nWidth = n == -1 ? 1 : n;
  n = settings.GetProfileInt("Integration", "Distance", -1);
  integ.nDistance = n == -1 ? 20 : n;
  n = settings.GetProfileInt("Integration", "Vertical", -1);
  integ.bVertical = (n == -1 || n == 0) ? 0 : 1;
  integ.strFont = settings.GetProfileString("Integration", "Font", "Arial");

  m_nShowOnlyCurrentScale = 0;
}

void CBrivaneProDoc::FixColourConflicts(BOOL bShowMessage) {
  BOOL bChanged = FALSE;
  for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = m_Spectra.GetSpectrum(pos);
    COLORREF* colours[] = {&s->m_crTrace, &s->m_Scale.m_crAxis, &s->m_Scale.m_crText};
    for (COLORREF* pcr : colours) {
      if (*pcr == m_crBackground) {
        *pcr = Complement(*pcr);
        bChanged = TRUE;
      }
    }
  }
  if (bChanged && bShowMessage)
    m_pHost->ShowMessage(
        "There is a conflict between the background color\nand some foreground trace\n"
        "Brivane has automatically corrected this conflict",
        MB_OK);
}

void CBrivaneProDoc::FinishSimulatedSpectrum(CSpectrum* pSpectrum) {
  pSpectrum->m_nFirst = 0;
  pSpectrum->m_nLast = pSpectrum->m_paramsA.td;
  PrepareBuffers(pSpectrum);
  pSpectrum->m_bDataChanged = 1;
  pSpectrum->m_crTrace = RGB(0, 0, 255);
  pSpectrum->m_Scale.m_crAxis = RGB(0, 0, 255);
  m_nSpectra = GetSpectrumCount();  // the new one counted, whether or not a refresh ran
  pSpectrum->m_paramsA.aq = AcquisitionTime(pSpectrum);
}
