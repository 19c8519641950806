// What the 1D document needs from the program around it. The document core
// is portable: everything it asks of windows (its view's client size, the
// scale bar, the frame's scroll bar, message boxes, the views) and of the
// application (history, import file type, open-failure text, settings) goes
// through a CDocumentHost. The program gives each document a host backed by
// its view, frame and application object; tests and tools give one of their
// own.
#pragma once

#include <vector>

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"
#include "onedim/document/HistoryList.h"

class CSettingsStore;

// The application-wide display settings of integrals, read from the profile
// section "Integration" and given to every spectrum the refresh lays out.
struct CIntegrationSettings {
  BYTE bOnTop = 1;
  BYTE bShowValue = 1;
  BYTE bShowCurve = 1;
  BYTE bRectangle = 1;
  int nWidth = 1;
  int nDistance = 20;
  BYTE bVertical = 0;
  CString strFont = "Arial";  // the integral-label font as one line of text
};

// The state of the 1D application that outlives its documents. The
// application object owns one.
class CBrivaneAppState {
 public:
  // The file types of the import dialog; 9 is the program's own file.
  enum { ImportTypeCount = 13, ImportTypeNative = 9 };

  CIntegrationSettings m_Integration;
  CString m_strOpenFailure;  // why the last open or import failed, for the caller to show
  BOOL m_bOpenFailureShown = FALSE;  // the import has told its failure in a box already
  CHistoryList m_History;    // the processing log of this run
  int m_nImportType = 0;     // the import file type chosen by the user (0..12)
  int m_nPreviousImportType = 0;

  // Choices of the processing dialogs that last while the program runs.
  BOOL m_bFtApplyToAll = FALSE;
  BOOL m_bFtDriftCorrection = TRUE;
  float m_fApodizeLB = 0.0f;
  float m_fApodizeGB = 0.5f;
  float m_fApodizeGaussShift = 0.0f;
  float m_fApodizeSineShift = 45.0f;
  BOOL m_bApodizeCurveKept = FALSE;  // the two below were taken from a spectrum
  COLORREF m_crApodizeCurve = 255;
  int m_nApodizeCurveWidth = 1;
};

class CDocumentHost {
 public:
  virtual ~CDocumentHost();

  virtual CBrivaneAppState& GetAppState() = 0;
  virtual CSettingsStore& GetSettings() = 0;

  // The client rectangle of the document's view; FALSE when it has none.
  virtual BOOL GetViewClientRect(RECT* pRect);

  // The scale bar: its ruler (visible part, in percent of the band) and the
  // entry of its units list (0 seconds, 1 ppm, 2 Hz, 3 points).
  virtual void SetScaleRuler(int nLeftPercent, int nRightPercent);
  virtual void SetScaleUnitsEntry(int nEntry);

  // The frame's horizontal scroll bar over the current spectrum.
  virtual void SetHorzScrollBar(int nMin, int nMax, int nPage, int nPos, BOOL bVisible);

  // The add/subtract bar: whether it is shown, and the factor of the operand
  // that became current (edit text and scroll position).
  virtual BOOL IsArithmeticBarVisible();
  virtual void SetArithmeticFactor(LPCSTR pszFactor, int nScrollPos);

  // The relaxation bar: the text of the last pick, its pick buttons released.
  virtual void ShowRelaxationPick(LPCSTR pszText);

  virtual int ShowMessage(LPCSTR pszText, UINT nType);

  // The document's framework side: modified flag, title, views.
  virtual void SetDocumentModified(BOOL bModified);
  virtual BOOL IsDocumentModified();
  virtual void SetDocumentTitle(LPCSTR pszTitle);
  virtual void UpdateDocumentViews();

  // The modeless wait window shown while a JCAMP-DX file is read.
  virtual void ShowImportWait(BOOL bShow);

  // Between the stages of a transform shown in progress: handles one
  // pending window message.
  virtual void PumpOneMessage();

  // The document's embedded objects, which the native file carries after
  // the spectra as one block it does not look into. GetItemsBlock gives the
  // block to write (empty: none). TakeItemsBlock gets a read file's block;
  // bDamaged: the file has one that could not be read whole (the block is
  // then empty and the spectra are read all the same).
  virtual void GetItemsBlock(std::vector<BYTE>& block);
  virtual void TakeItemsBlock(const std::vector<BYTE>& block, BOOL bDamaged);
};
