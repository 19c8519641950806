// CDocTemplate: one document type. Its resource number names the document
// string ("title\ndoc name\nnew name\nfilter name\n.ext\nregistry id\nregistry
// name"), the menu, accelerators and icon of its frames; its runtime classes
// make the document, the frame and the frame's first view. Several
// templates may share one document class (each with its own view).
#pragma once

#include "framework/base/Lists.h"
#include "framework/base/String.h"
#include "framework/win/CmdTarget.h"

class CDocument;
class CFrameWnd;
class COleTemplateServer;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)
 public:
  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
  enum Confidence {
    noAttempt,
    maybeAttemptForeign,
    maybeAttemptNative,
    yesAttemptForeign,
    yesAttemptNative,
    yesAlreadyOpen
  };

  ~CDocTemplate() override;

  virtual void LoadTemplate();
  // One part of the document string; FALSE when it is empty.
  virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;
  // The filter extension without its dot ("bvx"), empty when there is none.
  CString GetDefaultExtension() const;

  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
  virtual void AddDocument(CDocument* pDoc);
  virtual void RemoveDocument(CDocument* pDoc);

  virtual CDocument* CreateNewDocument();
  // A frame for pDoc with the template's view class; null on failure.
  virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
  virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
  // lpszPathName null: a new empty document in a new window. Otherwise the
  // file is read into a new document; null when that fails (the reason was shown).
  virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
  virtual void SetDefaultTitle(CDocument* pDoc) = 0;
  virtual Confidence MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch);

  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);

  // The menu and accelerators of resource nIDOleInPlaceContainer, which the
  // frame shows while an item of a document is edited in place.
  void SetContainerInfo(UINT nIDOleInPlaceContainer);
  HMENU m_hMenuInPlace = nullptr;
  HACCEL m_hAccelInPlace = nullptr;

  UINT m_nIDResource;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;

  // The menus and accelerators of a document that serves a container:
  // nIDOleEmbedding while it is edited in a window of its own, and
  // nIDOleInPlaceServer (with a frame of pOleFrameClass) while it is edited
  // in the container's window.
  void SetServerInfo(UINT nIDOleEmbedding, UINT nIDOleInPlaceServer = 0, CRuntimeClass* pOleFrameClass = nullptr);

  // The server that offers this template's documents to other programs, or null.
  COleTemplateServer* m_pAttachedFactory = nullptr;
  HMENU m_hMenuEmbedding = nullptr;
  HACCEL m_hAccelEmbedding = nullptr;
  HMENU m_hMenuInPlaceServer = nullptr;
  HACCEL m_hAccelInPlaceServer = nullptr;
  UINT m_nIDServerResource = 0;  // the in-place frame's tool bar
  CRuntimeClass* m_pOleFrameClass = nullptr;

 protected:
  CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
};

class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)
 public:
  CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
  ~CMultiDocTemplate() override;

  void LoadTemplate() override;
  POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
  CDocument* GetNextDoc(POSITION& rPos) const override { return static_cast<CDocument*>(m_docList.GetNext(rPos)); }
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* pDoc) override;

  // The menu and accelerators that the frames of this type show while active.
  HMENU m_hMenuShared = nullptr;
  HACCEL m_hAccelTable = nullptr;

 protected:
  CPtrList m_docList;
  UINT m_nUntitledCount = 0;
};
