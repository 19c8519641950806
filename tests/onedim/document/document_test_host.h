// A document host without windows: it records what the document asks of the
// program (ruler, scroll bar, message boxes, modified flag, title) so that
// tests can check it, and gives the document a view of a fixed size.
#pragma once

#include <string>
#include <vector>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

class CTestHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  BOOL GetViewClientRect(RECT* pRect) override {
    *pRect = m_bHasView ? m_rcClient : RECT();
    return m_bHasView;
  }
  void SetScaleRuler(int nLeft, int nRight) override {
    m_nRulerLeft = nLeft;
    m_nRulerRight = nRight;
  }
  void SetScaleUnitsEntry(int nEntry) override { m_nUnitsEntry = nEntry; }
  void SetHorzScrollBar(int nMin, int nMax, int nPage, int nPos, BOOL bVisible) override {
    m_nScrollMax = nMax;
    m_nScrollPage = nPage;
    m_nScrollPos = nPos;
    // A frame's scroll bar takes its height from the view.
    if (bVisible != m_bScrollVisible)
      m_rcClient.bottom += bVisible ? -m_nScrollBarHeight : m_nScrollBarHeight;
    m_bScrollVisible = bVisible;
    (void)nMin;
  }
  BOOL IsArithmeticBarVisible() override { return m_bArithmeticBar; }
  void SetArithmeticFactor(LPCSTR pszFactor, int nPos) override {
    m_strFactor = pszFactor;
    m_nFactorPos = nPos;
  }
  int ShowMessage(LPCSTR pszText, UINT) override {
    m_messages.push_back(pszText);
    return IDOK;
  }
  void ShowRelaxationPick(LPCSTR pszText) override { m_strRelaxationPick = pszText; }
  void SetDocumentModified(BOOL b) override { m_bModified = b; }
  BOOL IsDocumentModified() override { return m_bModified; }
  void SetDocumentTitle(LPCSTR psz) override { m_strTitle = psz; }
  void UpdateDocumentViews() override { m_nUpdates++; }

  CBrivaneAppState m_app;
  CMemorySettings m_settings;
  RECT m_rcClient = {0, 0, 800, 600};
  BOOL m_bHasView = TRUE;
  int m_nRulerLeft = -1, m_nRulerRight = -1, m_nUnitsEntry = -1;
  int m_nScrollMax = -1, m_nScrollPage = -1, m_nScrollPos = -1;
  BOOL m_bScrollVisible = FALSE;
  int m_nScrollBarHeight = 0;
  BOOL m_bArithmeticBar = FALSE;
  std::string m_strFactor;
  int m_nFactorPos = -1;
  std::vector<std::string> m_messages;
  std::string m_strRelaxationPick;
  BOOL m_bModified = FALSE;
  std::string m_strTitle;
  int m_nUpdates = 0;
};

// A spectrum of td floats added to the document, made current, with both
// data buffers filled by value(i).
template <class F>
CSpectrum* AddTestSpectrum(CBrivaneProDoc& doc, int td, F value, double sw = 5000.0, double sf = 400.13) {
  CSpectrumParams params;
  params.td = td;
  params.sw = sw;
  params.sf = sf;
  CSpectrum* s = doc.AddSpectrum(params, TRUE);
  s->m_pData = CSpectrum::AllocateFloats(td);
  s->m_pRawData = CSpectrum::AllocateFloats(td);
  for (int i = 0; i < td; i++)
    s->m_pData[i] = s->m_pRawData[i] = value(i);
  doc.m_pCurrent = s;
  return s;
}

inline CSpectrum* AddTestSpectrum(CBrivaneProDoc& doc, int td) {
  return AddTestSpectrum(doc, td, [](int i) { return (float)(i % 7) - 3.0f; });
}
