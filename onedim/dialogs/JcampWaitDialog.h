// The small "Please wait..." window shown, modeless, while a JCAMP-DX file
// is read: an animation that repeats until the window is destroyed.
#pragma once

#include "framework/win/CommonControls.h"
#include "framework/win/Dialog.h"

class CJcampWaitDialog : public CDialog {
 public:
  enum { IDD = 180, IDC_WAIT_ANIMATION = 1087, IDR_WAIT_AVI = 225 };
  CJcampWaitDialog() = default;

  // Creates the window over pParent and shows it.
  BOOL Create(CWnd* pParent);

 protected:
  BOOL OnInitDialog() override;

  CAnimateCtrl m_Animation;
};
