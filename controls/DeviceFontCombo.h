// CDeviceFontCombo: an owner-drawn combo box of the screen's font families
// and the default printer's own fonts, each with a TrueType or printer icon.
// The faces chosen last (six at most) lead the list, above a double line;
// while the list is down, a preview tip beside it shows the selected face.
// A typed name that is no font goes back to the last valid one.
#pragma once

#include "controls/FontPreviewTip.h"
#include "framework/base/Maps.h"
#include "framework/base/String.h"
#include "framework/win/Controls.h"
#include "framework/win/ImageList.h"

class CDeviceFontCombo : public CComboBox {
 public:
  // Font kinds, as bits.
  enum { kTrueType = 1, kPrinterFont = 2 };
  // The icons: bitmap resource 238, two images of 15 pixels.
  enum { kIconBitmap = 238, kIconWidth = 15, kMaxRecent = 6 };

  CDeviceFontCombo();
  ~CDeviceFontCombo() override;

  // Lists the fonts; done on creation, called by a dialog for a combo it attached.
  void Fill();
  // Puts the face at the top of the recently used ones and selects it.
  void SelectFace(LPCSTR lpszFace);
  // The kind bits of a listed face, 0 for a face not listed.
  int GetFontKind(LPCSTR lpszFace) const;

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  enum { kPreviewTimer = 1, kPreviewPeriod = 500 };

  struct FontRecord {
    BYTE nKind;    // kTrueType, kPrinterFont
    BYTE bRecent;  // in the recent group at the top
  };

  // The default printer's DC (print dialog defaults), or null without a
  // printer; the caller deletes it.
  virtual HDC CreateDefaultPrinterDC();

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  BOOL OnSetFocus();
  BOOL OnKillFocus();
  BOOL OnCloseUp();
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();

  void AddFont(LPCSTR lpszFace, BYTE nKind);
  void SetRecent(LPCSTR lpszFace, BOOL bRecent);
  // Puts the last valid text back when the text names no listed face.
  void RestoreValidText();
  void DeleteFontMap();
  static int CALLBACK EnumScreenFont(const LOGFONTA* lplf, const TEXTMETRICA* lptm, DWORD dwType, LPARAM lParam);
  static int CALLBACK EnumPrinterFont(const LOGFONTA* lplf, const TEXTMETRICA* lptm, DWORD dwType, LPARAM lParam);

  CFontPreviewTip m_FontTip;
  CString m_strPrevText;
  CString m_strValidText;
  CImageList m_ImageList;
  CMapStringToPtr m_FontMap;  // face name to FontRecord, owned

  DECLARE_MESSAGE_MAP()
};
