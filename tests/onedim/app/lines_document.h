// What the program tests of the measuring tools share: a .bvx of one
// spectrum of three Lorentzian lines, a document host with a view of a
// given size to find where the program draws them, the clipboard's text,
// and a mouse position packed for a message.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"

class CViewHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  BOOL GetViewClientRect(RECT* pRect) override {
    *pRect = m_rc;
    return TRUE;
  }
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
  RECT m_rc = {0, 0, 800, 600};
};

// A host without a view: a file read through it keeps the heights of its
// layout as stored, in the view it was saved from.
class CStoredLayoutHost : public CViewHost {
 public:
  BOOL GetViewClientRect(RECT*) override { return FALSE; }
};

const int kLinesTd = 2048;
const double kLineCentres[] = {300, 500, 700};  // complex points; 4000 Hz over 1024 points

inline float Lines(int i) {
  if (i % 2)
    return 0.0f;
  double y = 0.0;
  for (double c : kLineCentres) {
    const double u = (i / 2 - c) / 3.0;
    y += 1000.0 / (1.0 + u * u);
  }
  return (float)y;
}

// A spectrum of td floats over 4000 Hz at 400 MHz appended to doc and made
// current, its data and acquired data both value(i).
inline CSpectrum* AddTestSpectrum(CBrivaneProDoc& doc, const char* title, int td, BOOL bComplex,
                                  const std::function<float(int)>& value) {
  CSpectrumParams params;
  params.td = td;
  params.sw = 4000.0;
  params.sf = 400.0;
  params.bComplex = bComplex;
  params.title = title;
  CSpectrum* s = doc.AddSpectrum(params);
  s->m_pData = CSpectrum::AllocateFloats(td);
  s->m_pRawData = CSpectrum::AllocateFloats(td);
  s->m_pWeighted = CSpectrum::AllocateFloats(td);
  for (int i = 0; i < td; ++i)
    s->m_pData[i] = s->m_pRawData[i] = value(i);
  doc.SetCurrentSpectrum(s);
  return s;
}

// FALSE when the file could not be written.
inline BOOL WriteLinesDocument(const std::string& path) {
  CViewHost host;
  CBrivaneProDoc doc(&host);
  AddTestSpectrum(doc, "lines", kLinesTd, 1, Lines);
  doc.RefreshAfterAdd();
  return doc.WriteNativeFile(path.c_str());
}

inline std::string ClipboardText() {
  std::string text;
  if (!::OpenClipboard(nullptr))
    return text;
  if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(::GlobalLock(h)))
      text = p;
    ::GlobalUnlock(h);
  }
  ::CloseClipboard();
  return text;
}

inline LPARAM At(int x, int y) {
  return MAKELPARAM((WORD)(short)x, (WORD)(short)y);
}
