// The framework side of the 1D document: the document the template creates
// for each document window. It is the portable core (CBrivaneProDoc) and
// gives the core a host that reaches the program's views, frame, message
// boxes, application state and registry.
#pragma once

#include "framework/win/Document.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/dialogs/MissingParametersDialogs.h"

class CBrivaneDocument;
class CCmdUI;
class CBrivaneProView;
class CJcampWaitDialog;
class CPhaseCorrectionDialog;

// The document's base: an OLE server document. Embedding and linking come
// with the OLE items; until then it behaves as a plain document.
typedef CDocument COleServerDoc;

// What the core asks of windows and of the application, answered by the
// document window's frame and views and by the application object.
class CBrivaneDocumentHost : public CDocumentHost {
 public:
  explicit CBrivaneDocumentHost(CBrivaneDocument* pDoc) : m_pDoc(pDoc) {}

  CBrivaneAppState& GetAppState() override;
  CSettingsStore& GetSettings() override;
  BOOL GetViewClientRect(RECT* pRect) override;
  void SetHorzScrollBar(int nMin, int nMax, int nPage, int nPos, BOOL bVisible) override;
  int ShowMessage(LPCSTR pszText, UINT nType) override;
  void SetDocumentModified(BOOL bModified) override;
  void SetDocumentTitle(LPCSTR pszTitle) override;
  void UpdateDocumentViews() override;
  void ShowImportWait(BOOL bShow) override;
  void PumpOneMessage() override;

 private:
  CBrivaneDocument* m_pDoc;
  CJcampWaitDialog* m_pWait = nullptr;  // while a JCAMP-DX file is read
};

class CBrivaneDocument : public COleServerDoc, public CBrivaneProDoc {
  DECLARE_DYNCREATE(CBrivaneDocument)
 public:
  CBrivaneDocument();
  ~CBrivaneDocument() override;

  BOOL OnNewDocument() override;
  BOOL OnOpenDocument(LPCSTR lpszPathName) override;
  BOOL OnSaveDocument(LPCSTR lpszPathName) override;
  void OnCloseDocument() override;
  void DeleteContents() override;

  // The document's first 1D view, or null.
  CBrivaneProView* GetSpectrumView() const;

 protected:
  void OnFileOpenAdditional();
  void OnFileExportAscii();
  void OnProcessFidShift();
  void OnProcessZeroFill();
  void OnProcessLinearPrediction();
  void OnProcessFourier();
  void OnProcessApodize();
  void OnProcessPhase();
  void OnProcessAutophase();
  void OnProcessSetRegions();
  void OnProcessTwoPointBaseline();
  void OnProcessSwap();
  void OnProcessInvert();
  void OnProcessMagnitude();
  void OnUpdateProcessMagnitude(CCmdUI* pCmdUI);
  void OnProcessPower();
  void OnUpdateProcessPower(CCmdUI* pCmdUI);
  void OnProcessHighPass();

 private:
  CBrivaneDocumentHost m_Host;
  // Asks the user for the parameters an importer could not find.
  CMissingParametersDialogs m_MissingDialogs;
  CPhaseCorrectionDialog* m_pPhaseDialog = nullptr;  // the open Phase Correction dialog, or null

  DECLARE_MESSAGE_MAP()
};

// The document of the active document window when it is a 1D document,
// else null. Every command and dialog of the program reaches the document
// this way.
CBrivaneProDoc* GetActiveSpectrumDoc();
