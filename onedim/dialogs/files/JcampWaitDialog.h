// The small "Please wait..." window shown, modeless, while a JCAMP-DX file
// is read: an animation that repeats until the window is destroyed.
#pragma once

#include "controls/BaseDialog.h"
#include "framework/win/CommonControls.h"

class CJcampWaitDialog : public CBaseDialog {
 public:
  enum { IDD = 180, IDC_WAIT_ANIMATION = 1087, IDR_WAIT_AVI = 225 };
  CJcampWaitDialog() = default;

  // Creates the window over pParent and shows it. The creator destroys the
  // window and deletes the object when the import is over.
  BOOL Create(CWnd* pParent);

 protected:
  BOOL OnInitDialog() override;

  CAnimateCtrl m_Animation;
};
