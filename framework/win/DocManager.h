// CDocManager: the application's document templates and what concerns all
// documents: File New and Open, Save All before exit, closing everything,
// the recent-file list, dropped files and the shell's file types.
#pragma once

#include <memory>

#include "framework/base/Lists.h"
#include "framework/base/String.h"
#include "framework/win/Win32.h"

class CCmdUI;
class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CRecentFileList;

class CDocManager {
 public:
  CDocManager();
  virtual ~CDocManager();  // deletes the templates
  CDocManager(const CDocManager&) = delete;
  CDocManager& operator=(const CDocManager&) = delete;

  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
  CDocTemplate* GetNextDocTemplate(POSITION& rPos) const {
    return static_cast<CDocTemplate*>(m_templateList.GetNext(rPos));
  }
  int GetOpenDocumentCount() const;

  // The file in the template that fits it best; a file already open only
  // activates its window. Null when it cannot be read (the reason was shown).
  virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
  virtual void OnFileNew();
  virtual void OnFileOpen();
  // The file dialog: open (bOpenFileDialog) or save. The filter lists the
  // templates' types (pTemplate's first and alone when given) and all files.
  virtual BOOL DoPromptFileName(CString& fileName, LPCSTR lpszTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                CDocTemplate* pTemplate);
  // Asks "save changes?" for each modified document; FALSE when cancelled.
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);
  // Runs the command line's request; FALSE ends the program's start (as
  // after printing a file for /p or /pt).
  BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

  // Registers each template's file type under HKEY_CLASSES_ROOT with an
  // "open" command running this program on the file. FALSE when the
  // registry refused a value.
  BOOL RegisterShellFileTypes(BOOL bCompat = FALSE);

  // The recent-file list of nMaxMRU entries, read from the profile.
  void LoadStdProfileSettings(UINT nMaxMRU);
  void SaveStdProfileSettings();
  void AddToRecentFileList(LPCSTR lpszPathName);
  CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }
  BOOL OnOpenRecentFile(UINT nID);
  void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

 protected:
  // Opens a file as the application would (its OpenDocumentFile may be its own).
  CDocument* OpenThroughApp(LPCSTR lpszFileName);
  // Opens the file and prints it with no dialog.
  void PrintFromCommandLine(CCommandLineInfo& rCmdInfo);

  CPtrList m_templateList;
  std::unique_ptr<CRecentFileList> m_pRecentFileList;
};

// The application's document manager, or null before one exists.
CDocManager* AfxGetDocManager();

// Sets a value of a key under HKEY_CLASSES_ROOT, creating the key.
bool AfxSetClassesValue(LPCSTR lpszKey, LPCSTR lpszValueName, LPCSTR lpszValue);
// The default value of a key under HKEY_CLASSES_ROOT; empty when there is none.
CString AfxGetClassesDefault(LPCSTR lpszKey);
