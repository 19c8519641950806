// CBrivanenDDoc: the document of the nD program. It owns the data sets (the
// one appended last is the current one), the mouse tool the views act on,
// the pictures pasted into it, and the menu commands that concern the data;
// every processing step runs as command text through its interpreter. It
// opens the spectrometer files of the Import file dialog's type and saves
// the program's own .bv2 file.
#pragma once

#include <string>
#include <vector>

#include "framework/base/Lists.h"
#include "framework/win/OleServerDoc.h"
#include "ndim/app/HandOffMessageBoxes.h"
#include "ndim/script/CommandInterpreter.h"

class CCmdUI;
class CDC;
class CChildFrame;
class CDialog;
class CRectTracker;
class CSpectrum2D;
class CView;
struct HandOffTraces;

// Mouse tools: the document's commands set some, the graph view and the
// referencing wizard the others.
enum NdMouseMode {
  ndMouseNone = 0,
  ndMouseZoom = 1,
  ndMouseSelectSpectrum = 2,
  ndMouseMagnifier = 3,
  ndMouseTopStripEdge = 4,
  ndMouseSideStripEdge = 5,
  ndMouseReferenceF1 = 6,
  ndMouseReferenceF2 = 7,
  ndMouseIntegrate = 8,
  ndMousePick1D = 9,
  ndMousePick2D = 10
};

class CBrivanenDDoc : public COleServerDoc {
  DECLARE_DYNCREATE(CBrivanenDDoc)
 public:
  CBrivanenDDoc();
  ~CBrivanenDDoc() override;

  // Appends the set (the document owns it from now on), marks the document
  // modified and returns the set.
  CSpectrum2D* AttachDataSet(CSpectrum2D* pSet);
  CSpectrum2D* GetCurrentSet() const { return m_pCurrent; }
  // The first view of the document of that class, or null.
  CView* FindView(CRuntimeClass* pViewClass) const;
  void Refresh() { UpdateAllViews(nullptr); }
  // The child frame of the document's plot view, or null.
  CChildFrame* GetChildFrame() const;
  // The phase dialog's Apply (apply TRUE) or preview: Apply (or every
  // change, with "Apply to nD spc." checked) phases the whole set; a preview
  // only turns what the phase views draw.
  void ApplyPhase(BOOL bApply);
  // The turn (radians) the phase views add to what the set holds along dim
  // while a preview differs from it; false when there is none.
  bool GetPreviewTurn(int dim, double& zero, double& first) const;
  // The pivot of the open phase dialog, as a vertical line of the given height.
  void DrawPivotLine(CDC* pDC, int height) const;
  // The phase views repainted; their column of the child frame shown or hidden.
  void InvalidatePhaseViews();
  void ShowPhaseViews();
  void HidePhaseViews();
  // Runs the command text on the current set; without one the user is told.
  // The sizes the set's projections have follow it.
  void ExecuteCommands(LPCSTR lpszText);
  // What a command line or a script does: runs the text, marks the document
  // modified and redraws it.
  void RunCommands(LPCSTR lpszText);
  // Mouse mode 0, the plot's selection no longer drawn, the magnifier put
  // away.
  void ResetMouseTool();

  BOOL OnNewDocument() override;
  BOOL OnOpenDocument(LPCSTR lpszPathName) override;
  BOOL OnSaveDocument(LPCSTR lpszPathName) override;
  // Save: asks for a .bv2 name while the document has none of its own.
  BOOL DoFileSave() override;
  void DeleteContents() override;
  // Only the document's own OLE items: its data sets live in the .bv2 file.
  void Serialize(CArchive& ar) override;

  // The current set written to path as a .bv2 file; the failure is shown.
  BOOL SaveNativeFile(LPCSTR lpszPathName);

  CPtrList m_dataSets;                // CSpectrum2D, in the order attached
  CSpectrum2D* m_pCurrent = nullptr;  // the one attached last
  BYTE m_bNoRedraw = 0;               // Increase and Decrease do not redraw
  int m_nClientHeight = 0;            // of the document window, kept at activation
  int m_nClientWidth = 0;
  int m_nMouseMode = ndMouseNone;
  int m_nSavedMouseMode = ndMouseNone;  // the mode when Shift went down
  CObList m_pictures;                   // CClipboardPicture, newest first
  CRectTracker* m_pPictureTracker = nullptr;
  BYTE m_bPictureSelected = 0;  // the tracker is drawn round the head picture
  BYTE m_bNameNeeded = 0;       // Save asks for a name first
  BYTE m_bShowGrid = 0;
  CDialog* m_pPhaseDialog = nullptr;  // the modeless Phase Correction dialog while open
  int m_nPreviewDim = 0;              // the dimension previewed, and its phases (degrees)
  double m_previewPhase[2] = {0.0, 0.0};

 protected:
  COleServerItem* OnGetEmbeddedItem() override;

  // The set's data changed: projections in step, modified, redrawn.
  void DataChanged();
  // The views' trace strips repainted (slices moved or rescaled).
  void InvalidateStrips();
  // Asks for a .bv2 name with the given filter; empty when cancelled.
  CString PromptForName(LPCSTR lpszFilter);
  // The mode, or none when it is the mode already.
  void ToggleMouseMode(int nMode);
  // The same, through the reset when the tool is put away.
  void ToggleMouseTool(int nMode);
  // Hands the traces to the 1D program and takes back what it offers.
  void SendTraces(const HandOffTraces& traces);
  void LoadTrace(BOOL bColumn);

  // File.
  void OnFileSave();
  void OnFileSaveAs();
  void OnFileRevert();
  void OnCommandRun();
  void OnPhaseApply();
  // Edit.
  void OnEditProperties();
  // View.
  void OnViewIncrease();
  void OnViewDecrease();
  void OnViewIncreaseSlices();
  void OnViewDecreaseSlices();
  void OnViewZoom();
  void OnUpdateViewZoom(CCmdUI* pCmdUI);
  void OnViewFull();
  void OnUpdateViewFull(CCmdUI* pCmdUI);
  void OnViewSlices();
  void OnUpdateViewSlices(CCmdUI* pCmdUI);
  void OnViewRefresh();
  BOOL OnViewDisplayMode(UINT nID);
  void OnUpdateViewDisplayMode(CCmdUI* pCmdUI);
  void OnViewEnlarge();
  void OnViewReduce();
  void OnViewSquare();
  BOOL OnTracesProjection(UINT nID);
  void OnUpdateTracesProjection(CCmdUI* pCmdUI);
  BOOL OnTracesLoaded(UINT nID);
  void OnUpdateTracesLoaded(CCmdUI* pCmdUI);
  BOOL OnTracesMove(UINT nID);
  BOOL OnTracesStep(UINT nID);
  void OnUpdateTracesStep(CCmdUI* pCmdUI);
  void OnViewGrid();
  void OnUpdateViewGrid(CCmdUI* pCmdUI);
  // Process.
  void OnProcessFullAuto();
  // Polynomial and Full Auto.
  void OnUpdateProcessBaseline(CCmdUI* pCmdUI);
  void OnProcessMagnitude();
  void OnUpdateProcessMagnitude(CCmdUI* pCmdUI);
  void OnProcessMakeReal();
  void OnUpdateProcessMakeReal(CCmdUI* pCmdUI);
  void OnProcessSymmetrize();
  void OnProcessAverage();
  void OnProcessTranspose();
  void OnUpdateSquarePlane(CCmdUI* pCmdUI);
  // Tools.
  void OnToolsSelectSpectrum();
  void OnUpdateToolsSelectSpectrum(CCmdUI* pCmdUI);
  void OnToolsReferenceF1();
  void OnUpdateToolsReferenceF1(CCmdUI* pCmdUI);
  void OnToolsReferenceF2();
  void OnUpdateToolsReferenceF2(CCmdUI* pCmdUI);
  void OnToolsIntegrate();
  void OnUpdateToolsIntegrate(CCmdUI* pCmdUI);
  BOOL OnToolsShape(UINT nID);
  void OnUpdateToolsShape(CCmdUI* pCmdUI);
  void OnToolsDeleteIntegrals();
  void OnUpdateToolsDeleteIntegrals(CCmdUI* pCmdUI);
  void OnToolsSendRow();
  void OnToolsSendColumn();
  void OnToolsSendRows();
  void OnUpdateToolsSendRows(CCmdUI* pCmdUI);
  void OnToolsSendColumns();
  void OnUpdateToolsSendColumns(CCmdUI* pCmdUI);
  void OnTracesAddRow();
  void OnTracesAddColumn();
  void OnTracesLoadRow();
  void OnTracesLoadColumn();
  // The dialogs: processing, display and colours.
  void OnProcessPhase();
  void OnUpdateProcessPhase(CCmdUI* pCmdUI);
  void OnProcessFourier();
  void OnUpdateProcessFourier(CCmdUI* pCmdUI);
  void OnProcessApodize();
  void OnProcessPrediction();
  void OnProcessHighPass();
  void OnUpdateProcessHighPass(CCmdUI* pCmdUI);
  void OnProcessPolynomial();
  void OnViewLevels();
  void OnViewScaleUnits();
  void OnViewProjections();
  void OnViewSliceList();
  void OnViewColours();
  void OnViewLimits();
  void OnToolsSynchronize();
  void OnUpdateViewLimits(CCmdUI* pCmdUI);
  void OnEditPalette();
  // Runs the lines one by one, as the command line would.
  void RunLines(const std::vector<std::string>& lines);
  // The commands that need a data set and nothing more.
  void OnUpdateNeedsSet(CCmdUI* pCmdUI);

 private:
  // The interpreter's and the hand-off's messages in plain message boxes;
  // data the hand-off changed are redrawn.
  class CMessageBoxes : public CHandOffMessageBoxes {
   public:
    explicit CMessageBoxes(CBrivanenDDoc* pDoc) : m_pDoc(pDoc) {}
    void ShowMessage(LPCSTR text) override;
    void UpdateViews() override { m_pDoc->DataChanged(); }

   private:
    CBrivanenDDoc* m_pDoc;
  };

  CMessageBoxes m_messages;
  CCommandInterpreter m_interpreter;

  DECLARE_MESSAGE_MAP()
};

// The document of the main frame's active document window when it is an nD
// document, else null.
CBrivanenDDoc* GetActiveSpectrumDoc();
