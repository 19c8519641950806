// The framework side of the 1D document: the document the template creates
// for each document window. It is the portable core (CBrivaneProDoc) and
// gives the core a host that reaches the program's views, frame, message
// boxes, application state and registry.
#pragma once

#include "framework/win/OleServerDoc.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/dialogs/files/MissingParametersDialogs.h"

class CBrivaneDocument;
class CCmdUI;
class CBrivaneProView;
class CJcampWaitDialog;
class CMultiPointBaselineDialog;
class CPhaseCorrectionDialog;

// What the core asks of windows and of the application, answered by the
// document window's frame and views and by the application object.
class CBrivaneDocumentHost : public CDocumentHost {
 public:
  explicit CBrivaneDocumentHost(CBrivaneDocument* pDoc) : m_pDoc(pDoc) {}

  CBrivaneAppState& GetAppState() override;
  CSettingsStore& GetSettings() override;
  BOOL GetViewClientRect(RECT* pRect) override;
  void SetScaleRuler(int nLeftPercent, int nRightPercent) override;
  void SetScaleUnitsEntry(int nEntry) override;
  void SetHorzScrollBar(int nMin, int nMax, int nPage, int nPos, BOOL bVisible) override;
  int ShowMessage(LPCSTR pszText, UINT nType) override;
  void ShowRelaxationPick(LPCSTR pszText) override;
  BOOL IsArithmeticBarVisible() override;
  void SetArithmeticFactor(LPCSTR pszFactor, int nScrollPos) override;
  void SetDocumentModified(BOOL bModified) override;
  BOOL IsDocumentModified() override;
  void SetDocumentTitle(LPCSTR pszTitle) override;
  void UpdateDocumentViews() override;
  void ShowImportWait(BOOL bShow) override;
  void PumpOneMessage() override;
  void GetItemsBlock(std::vector<BYTE>& block) override;
  void TakeItemsBlock(const std::vector<BYTE>& block, BOOL bDamaged) override;

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
  // Only the document's own OLE items: its spectra live in the native file.
  void Serialize(CArchive& ar) override;

  // The document's first 1D view, or null.
  CBrivaneProView* GetSpectrumView() const;

  // Simulation New (bNew) or Edit Simulation through the Simulation dialog.
  BOOL RunSimulation(BOOL bNew);
  // The open peak list follows every change of the picks.
  void PickPeaksInRange(int nFirst, int nLast, double dThreshold) override;
  void PickPeakAt(int nIndex) override;
  void RemovePeaksInRange(int nFirst, int nLast) override;
  void ShowPeakInformation(int nIndex) override;
  void MarkFitWindow(int nFirst, int nLast) override;
  // A right click on an integral: the value it stands for.
  void ReferenceIntegral(CSpectrum* pSpectrum, CIntegral* pIntegral) override;
  // The reference tool's pick: the Reference dialog for its shift.
  void ReferencePointAt(int nIndex) override;
  // The open coupling table follows every new partner line.
  void AddCouplingPartner(int nIndex) override;
  // The Spectrum Properties sheet on the current spectrum; its values are
  // taken back whichever button closed it (Cancel gives back what was shown).
  void EditSpectrumProperties() override;
  // The Add Text dialog on a label of the current spectrum, or on a new one.
  void EditTextLabel(CTextLabel* pLabel) override;
  // A press in baseline mode: on a point's marker it removes the point,
  // elsewhere it adds one.
  void ToggleBaselinePoint(POINT pt) override;

 protected:
  COleServerItem* OnGetEmbeddedItem() override;
  void OnSetItemRects(LPCRECT lpPosRect, LPCRECT lpClipRect) override;

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
  void OnProcessMultiPointBaseline() { OpenBaselinePoints(0); }
  void OnProcessAutoFitBaseline() { OpenBaselinePoints(1); }
  void OnProcessManualBaseline();
  void OnProcessSwap();
  void OnProcessInvert();
  void OnProcessMagnitude();
  void OnUpdateProcessMagnitude(CCmdUI* pCmdUI);
  void OnProcessPower();
  void OnUpdateProcessPower(CCmdUI* pCmdUI);
  void OnProcessHighPass();
  void OnSimulationNew();
  void OnSimulationInteractive();
  void OnSimulationEdit();
  void OnUpdateSimulationEdit(CCmdUI* pCmdUI);
  void OnFidSimulation();

  // Tools (BrivaneDocumentTools.cpp).
  void OnToolsPeakPicking() { ToggleMouseMode(MOUSE_PEAK_REGION); }
  void OnToolsPeakByPeak() { ToggleMouseMode(MOUSE_PEAK_BY_PEAK); }
  void OnToolsIntegrate() { ToggleMouseMode(MOUSE_INTEGRATE); }
  void OnToolsPeakInfo() { ToggleMouseMode(MOUSE_PEAK_INFO); }
  void OnToolsRemovePeaks() { ToggleMouseMode(MOUSE_REMOVE_PEAKS); }
  void OnToolsReference() { ToggleMouseMode(MOUSE_REFERENCE); }
  void OnToolsSolvents() { RunReferenceDialog(-1); }
  void OnToolsCoupling();
  void OnUpdateToolMode(CCmdUI* pCmdUI);
  void OnToolsEditPeaks();
  void OnToolsParabolic();
  void OnUpdateToolsParabolic(CCmdUI* pCmdUI);
  void OnToolsShowPeaks();
  void OnUpdateToolsShowPeaks(CCmdUI* pCmdUI);
  void OnToolsPeakFont();
  void OnToolsPeakExport();
  void OnToolsAlignIntegrals() { AlignIntegrals(); }
  void OnToolsDeleteIntegrals() { DeleteAllIntegrals(); }
  void OnUpdateHasIntegrals(CCmdUI* pCmdUI);
  void OnToolsIntegralCorrection();
  void OnToolsIntegralThreshold();
  void OnToolsIntegralOptions();
  void OnToolsFitLorentzian() { FitPeaks(0); }
  void OnToolsFitGaussian() { FitPeaks(1); }
  void OnUpdateToolsFit(CCmdUI*) {}
  void OnEditProperties() { EditSpectrumProperties(); }
  void OnEditAddText() { EditTextLabel(nullptr); }
  void OnViewSetLimits();
  void OnLayoutOptions();

  // File, Edit, View and Layout (BrivaneDocumentCommands.cpp).
  void OnFileByteSwap() { ByteSwapSpectrum(); }
  void OnEditDeleteSpectrum();
  void OnUpdateEditDeleteSpectrum(CCmdUI* pCmdUI);
  void OnEditCopy();
  void OnEditCopyData() { CopyData(); }
  void OnEditPasteData() { PasteData(); }
  void OnEditSumData();
  void OnUpdateHasDataBuffer(CCmdUI* pCmdUI);
  void OnViewIncrease() { ChangeIntensity(TRUE); }
  void OnViewDecrease() { ChangeIntensity(FALSE); }
  void OnViewFullSpectrum() { ShowFullSpectrum(); }
  void OnUpdateViewFullSpectrum(CCmdUI* pCmdUI);
  void OnViewZoom() { ToggleMouseMode(MOUSE_ZOOM); }
  void OnUpdateViewZoom(CCmdUI* pCmdUI);
  void OnViewZoomAll() { m_bZoomAll = m_bZoomAll ? 0 : 1; }
  void OnUpdateViewZoomAll(CCmdUI* pCmdUI);
  void OnViewShowGrid();
  void OnUpdateViewShowGrid(CCmdUI* pCmdUI);
  void OnViewExpansion() { CreateExpansion(); }
  void OnLayoutOverlay() { ArrangeOverlay(); }
  void OnLayoutStacked() { ArrangeStacked(); }

 private:
  // The Reference dialog for a float index of the current spectrum, which
  // is referenced on OK; -1 edits the list of signals only.
  void RunReferenceDialog(int nIndex);

  CBrivaneDocumentHost m_Host;
  // Asks the user for the parameters an importer could not find.
  CMissingParametersDialogs m_MissingDialogs;
  // Multi-Point (kind 0) or Auto-Fit (kind 1): baseline mode and the
  // dialog beside the view.
  void OpenBaselinePoints(BYTE bFitKind);

  CPhaseCorrectionDialog* m_pPhaseDialog = nullptr;        // the open Phase Correction dialog, or null
  CMultiPointBaselineDialog* m_pBaselineDialog = nullptr;  // the open baseline points dialog, or null

  DECLARE_MESSAGE_MAP()
};

// The document of the active document window when it is a 1D document,
// else null. Every command and dialog of the program reaches the document
// this way.
CBrivaneProDoc* GetActiveSpectrumDoc();
