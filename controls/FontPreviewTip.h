// CFontPreviewTip: a popup beside a font list that shows a face's name
// drawn in that face.
#pragma once

#include "framework/base/String.h"
#include "framework/win/GdiObject.h"
#include "framework/win/Wnd.h"

class CDC;

class CFontPreviewTip : public CWnd {
 public:
  CFontPreviewTip();
  ~CFontPreviewTip() override;

  // The popup, hidden; pOwner (optional) takes it with it when it goes.
  BOOL Create(CWnd* pOwner = nullptr);
  // Shows lpszFaceName in its face at (x, y) on the screen, sized to the
  // name, without taking the activation. A name already showing stays put.
  void ShowFont(int x, int y, LPCSTR lpszFaceName);
  CString GetFaceName() const { return m_strFaceName; }

 protected:
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnPaint();

  CFont m_Font;
  CString m_strFaceName;

  DECLARE_MESSAGE_MAP()
};
