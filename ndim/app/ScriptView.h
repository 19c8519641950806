// CScriptView: the script window of an nD document, a plain text editor.
// Its text runs as command lines on the document's data set, and is read
// from and written to script files.
#pragma once

#include "framework/win/EditView.h"

class CBrivanenDDoc;

class CScriptView : public CEditView {
  DECLARE_DYNCREATE(CScriptView)
 public:
  CScriptView() = default;

  CBrivanenDDoc* GetDocument() const;

 protected:
  void OnScriptRun();
  void OnScriptOpen();
  void OnScriptSave();

  DECLARE_MESSAGE_MAP()
};
