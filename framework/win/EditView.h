// CEditView: a view that is a multi-line edit control showing plain text of
// its document; the text is stored and read raw (SerializeRaw).
#pragma once

#include "framework/win/Controls.h"
#include "framework/win/View.h"

class CArchive;

class CEditView : public CView {
  DECLARE_DYNCREATE(CEditView)
 public:
  CEditView() = default;
  ~CEditView() override;

  CEdit& GetEditCtrl() { return m_edit; }
  // The control's whole text as bytes, without a terminator; loading
  // replaces the text with the rest of the archive.
  void SerializeRaw(CArchive& ar);
  void Serialize(CArchive& ar) override { SerializeRaw(ar); }

  void OnDraw(CDC*) override {}  // the control paints itself
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

 protected:
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnPaint() { Default(); }
  void OnDestroy();

  CEdit m_edit;  // a wrapper of this very window

  DECLARE_MESSAGE_MAP()
};
