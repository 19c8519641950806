// CSliderEdit: an edit field paired with a CLinkedSlider, both showing one
// number. Typed characters are filtered by class; the value is kept inside
// an integer or a real range (typing past an end puts the end back, with a
// beep) and the slider follows. In real mode the slider runs over 0..1000,
// mapped linearly onto the real range, and the edit prints with a format.
#pragma once

#include "framework/base/String.h"
#include "framework/win/Controls.h"

class CLinkedSlider;

class CSliderEdit : public CEdit {
 public:
  // Character classes, combined into the mask of what may be typed.
  enum {
    CharDigit = 0x01,
    CharLetter = 0x02,  // "E" and "e" too
    CharReal = 0x04,    // digits, "E", "e", "-", "."
    CharOther = 0x08,   // anything else, "_" too
    CharSigned = 0x10,  // digits and "-"
    CharUnderscore = 0x20,
  };

  CSliderEdit() = default;

  void SetCharMask(int nMask) { m_nCharMask = nMask; }
  BOOL Subclass(UINT nID, CWnd* pParent, int nMask);
  // Links the parent's slider nSliderID, which must be a CLinkedSlider
  // attached to its dialog item. FALSE when it is not.
  BOOL LinkSlider(CWnd* pParent, UINT nSliderID);

  // nSteps tick intervals across the range.
  void SetIntRange(int nMin, int nMax, int nSteps);
  void SetRealRange(double dMin, double dMax, int nSteps, LPCSTR lpszFormat);
  // FALSE, and nothing changes, in the other mode or outside the range.
  BOOL SetIntValue(int nValue);
  BOOL SetRealValue(double dValue);
  // From the slider: shows the value of slider position nPosition.
  void SetValue(int nPosition);

  // The classes of a character, as bits of the mask.
  static int CharClasses(UINT nChar);

 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  // A refused character; beeps.
  virtual void OnBadChar(UINT nChar);
  // Also lets the parent see the change.
  BOOL OnChange();
  void SetUpSlider(int nSteps);
  CString FormatReal(double dValue) const;

  int m_nCharMask = -1;
  CLinkedSlider* m_pSlider = nullptr;
  CString m_strFormat = "%d";
  int m_nTickStep = 0;
  BOOL m_bReal = FALSE;
  int m_nMin = 0;
  int m_nMax = 0;
  int m_nPos = (int)0x80000000;  // none yet
  int m_nRange = 0;
  double m_dMin = 0.0;
  double m_dMax = 0.0;
  double m_dValue = 0.0;
  double m_dRange = 0.0;
  bool m_bRewriting = false;

  DECLARE_MESSAGE_MAP()
};
