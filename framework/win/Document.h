// CDocument: the data behind one or more views. It knows its views, its
// template, its file (path and title) and whether it holds unsaved changes;
// it takes File > Save, Save As and Close, and asks before changes are lost.
#pragma once

#include "framework/base/Lists.h"
#include "framework/base/String.h"
#include "framework/win/CmdTarget.h"

class CCmdUI;
class CDocTemplate;
class CFrameWnd;
class CView;
class CException;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
 public:
  CDocument() = default;
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  // Also makes the file's name the title, and with bAddToMRU puts the path
  // on the recent-file list.
  virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

  // Views, in the order they were added.
  POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  CView* GetNextView(POSITION& rPosition) const { return static_cast<CView*>(m_viewList.GetNext(rPosition)); }
  void AddView(CView* pView);
  void RemoveView(CView* pView);
  // Tells every view but pSender that the document changed (OnUpdate).
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

  // Life of a document.
  virtual void DeleteContents() {}
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
  virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
  // Closes every frame showing the document, empties it and, when it
  // deletes itself (m_bAutoDelete), deletes it.
  virtual void OnCloseDocument();
  virtual void OnChangedViewList();

  // Asks "save changes?" for a modified document: TRUE when it may close.
  virtual BOOL SaveModified();
  // Whether the frame may close: another frame still shows the document, or
  // the user agreed to lose or save the changes.
  virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
  virtual void PreCloseFrame(CFrameWnd* pFrame) {}

  // Saves under lpszPathName, or asks for a name when it is null (Save As)
  // or when the document has none. bReplace: the document takes the new
  // name. A failed save leaves name, title and modified flag as they were.
  virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);
  virtual BOOL DoFileSave();
  virtual void ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving);

  // Commands reach the document after its view, and its template after it.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) override;

  void OnFileClose();
  void OnFileSave();
  void OnFileSaveAs();
  // Send by email: the document as it stands, attached to a new message of
  // the system's mail program; offered while the system has one.
  void OnFileSendMail();
  void OnUpdateFileSendMail(CCmdUI* pCmdUI);

  BOOL m_bAutoDelete = TRUE;  // deleted when its last view goes
  BOOL m_bEmbedded = FALSE;   // an OLE item's document, never saved to a file of its own

 protected:
  friend class CDocTemplate;

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  CPtrList m_viewList;
  BOOL m_bModified = FALSE;

  DECLARE_MESSAGE_MAP()
};
