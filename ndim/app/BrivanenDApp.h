// CBrivanenDApp: the nD program's application object. It starts the program
// (OLE, profile, the graph and script document templates, the main frame)
// and keeps what all documents share: the import file type, the Customize
// settings and the axes' fonts and switches.
#pragma once

#include "framework/win/OleTemplateServer.h"
#include "framework/win/WinApp.h"
#include "ndim/view/Spectrum2DDraw.h"

class CMultiDocTemplate;

class CBrivanenDApp : public CWinApp {
  DECLARE_DYNAMIC(CBrivanenDApp)
 public:
  CBrivanenDApp();
  ~CBrivanenDApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;
  // The splash takes the user's first key or click.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // A new graph window with the file read into it; null when it cannot be read.
  CDocument* OpenDocumentFile(LPCSTR lpszFileName) override;

  // The two document types, added to the application; graph documents are
  // offered to other programs through the template server.
  void AddDocTemplates();
  // The main frame, made and set as the main window; FALSE when it fails.
  BOOL CreateMainFrame();
  // The "Scale" settings: the axes' fonts and whether they show.
  void LoadScaleSettings();

  int m_nImportType = 0;                          // the Import file dialog's choice
  int m_nPredictionDivisor = 16;                  // Customize: "Coefficients = Points/"
  int m_nMaxCoefficients = 16;                    // Customize: the most prediction coefficients
  CMultiDocTemplate* m_pGraphTemplate = nullptr;  // owned by the document manager
  CMultiDocTemplate* m_pScriptTemplate = nullptr;
  NdDrawSettings m_drawSettings;  // the F2 and F1 axis fonts and switches
  COleTemplateServer m_server;    // offers the graph document to other programs

 protected:
  void OnAppAbout();
  void OnFileOpen();
  void OnFileCustomize();

 private:
  // The default printer's pages in landscape, as in the 1D program.
  void SetLandscape();

  DECLARE_MESSAGE_MAP()
};

// The application object, or null when the program has another.
CBrivanenDApp* GetBrivanenDApp();
