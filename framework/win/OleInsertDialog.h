// COleInsertDialog: the system's Insert Object dialog, which lists the
// registered classes of objects that can be inserted. The caller makes the
// item from the choice (CreateItem).
#pragma once

#include <ole2.h>
#include <oledlg.h>

#include "framework/win/CommonDialogs.h"

class COleClientItem;

class COleInsertDialog : public CCommonDialog {
  DECLARE_DYNAMIC(COleInsertDialog)
 public:
  explicit COleInsertDialog(DWORD dwFlags = IOF_SELECTCREATENEW, CWnd* pParentWnd = nullptr);

  INT_PTR DoModal() override;

  // The chosen class, and whether the object is to be shown as an icon.
  REFCLSID GetClassID() const { return m_io.clsid; }
  DVASPECT GetDrawAspect() const { return (m_io.dwFlags & IOF_CHECKDISPLAYASICON) ? DVASPECT_ICON : DVASPECT_CONTENT; }
  // Makes pItem a new object of the chosen class; FALSE when it cannot be.
  BOOL CreateItem(COleClientItem* pItem);

  OLEUIINSERTOBJECTA m_io = {};

 private:
  char m_szFile[MAX_PATH] = {};
};
