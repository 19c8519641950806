// CMappedBitmapButton: an owner-drawn button drawn from one bitmap resource
// of four equal images side by side (up, down, focused, disabled), whose
// greys follow the current system colours.
#pragma once

#include "framework/win/Controls.h"
#include "framework/win/ImageList.h"

class CMappedBitmapButton : public CButton {
  DECLARE_DYNAMIC(CMappedBitmapButton)
 public:
  CMappedBitmapButton() = default;

  // TRUE when the four images were made from the bitmap.
  BOOL LoadMappedBitmap(UINT nBitmapId);
  // Resizes the button to one image, in place.
  void SizeToContent();
  // Attaches the dialog item, loads the bitmap and sizes the button.
  BOOL AutoLoad(UINT nID, CWnd* pParent, UINT nBitmapId);

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

 protected:
  enum { ImageUp, ImageDown, ImageFocus, ImageDisabled, ImageCount };

  void OnSysColorChange();

  CImageList m_ImageList;
  int m_nBitmapId = -1;

  DECLARE_MESSAGE_MAP()
};
