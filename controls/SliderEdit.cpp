#include "controls/SliderEdit.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "controls/LinkedSlider.h"
#include "framework/win/UiHooks.h"

BEGIN_MESSAGE_MAP(CSliderEdit, CEdit)
  ON_WM_CHAR()
  ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

namespace {
// The slider's positions in real mode.
const int kRealPositions = 1000;
}  // namespace

int CSliderEdit::CharClasses(UINT nChar) {
  if (nChar < 32)
    return -1;  // Backspace, Return, clipboard shortcuts
  if (nChar >= '0' && nChar <= '9')
    return CharDigit | CharReal | CharSigned;
  if (nChar == 'E' || nChar == 'e')
    return CharLetter | CharReal;
  if ((nChar >= 'A' && nChar <= 'Z') || (nChar >= 'a' && nChar <= 'z'))
    return CharLetter;
  if (nChar == '-')
    return CharReal | CharSigned;
  if (nChar == '.')
    return CharReal;
  if (nChar == '_')
    return CharOther | CharUnderscore;
  return CharOther;
}

void CSliderEdit::OnChar(UINT nChar, UINT, UINT) {
  if (CharClasses(nChar) & m_nCharMask)
    Default();
  else
    OnBadChar(nChar);
}

void CSliderEdit::OnBadChar(UINT) {
  AfxMessageBeep(0xFFFFFFFF);
}

BOOL CSliderEdit::Subclass(UINT nID, CWnd* pParent, int nMask) {
  m_nCharMask = nMask;
  return SubclassDlgItem(nID, pParent);
}

BOOL CSliderEdit::LinkSlider(CWnd* pParent, UINT nSliderID) {
  HWND hWndSlider = ::GetDlgItem(HwndOf(pParent), (int)nSliderID);
  m_pSlider = dynamic_cast<CLinkedSlider*>(FromHandlePermanent(hWndSlider));
  if (m_pSlider == nullptr)
    return FALSE;
  m_pSlider->Link(this);
  return TRUE;
}

void CSliderEdit::SetUpSlider(int nSteps) {
  m_nTickStep = nSteps;
  if (m_pSlider == nullptr)
    return;
  m_pSlider->SetRange(m_nMin, m_nMax);
  // No steps asked for: one tick at each end.
  long long nFreq = ((long long)m_nMax - m_nMin) / (nSteps > 0 ? nSteps : 1);
  m_pSlider->SetTicFreq((int)(nFreq > 0 ? nFreq : 1));
}

void CSliderEdit::SetIntRange(int nMin, int nMax, int nSteps) {
  m_bReal = FALSE;
  m_nMin = nMin;
  m_nMax = nMax;
  m_nRange = nMax - nMin;
  SetUpSlider(nSteps);
  m_strFormat = "%d";
  m_nCharMask = nMin < 0 ? (CharDigit | CharSigned) : CharDigit;
}

void CSliderEdit::SetRealRange(double dMin, double dMax, int nSteps, LPCSTR lpszFormat) {
  m_bReal = TRUE;
  m_dMin = dMin;
  m_dMax = dMax;
  m_dRange = dMax - dMin;
  m_nMin = 0;
  m_nMax = kRealPositions;
  m_nRange = kRealPositions;
  SetUpSlider(nSteps);
  m_strFormat = lpszFormat != nullptr ? lpszFormat : "%g";
  m_nCharMask = CharReal;
}

CString CSliderEdit::FormatReal(double dValue) const {
  char szText[512];
  std::snprintf(szText, sizeof(szText), m_strFormat, dValue);
  return szText;
}

BOOL CSliderEdit::SetIntValue(int nValue) {
  if (m_bReal || nValue < m_nMin || nValue > m_nMax)
    return FALSE;
  CString strText;
  strText.Format(m_strFormat, nValue);
  SetWindowText(strText);
  return TRUE;
}

BOOL CSliderEdit::SetRealValue(double dValue) {
  if (!m_bReal || !(dValue >= m_dMin && dValue <= m_dMax))
    return FALSE;
  SetWindowText(FormatReal(dValue));
  return TRUE;
}

void CSliderEdit::SetValue(int nPosition) {
  if (nPosition == m_nPos)
    return;
  m_nPos = nPosition;
  if (m_bReal) {
    m_dValue = nPosition * m_dRange * 0.001 + m_dMin;
    SetWindowText(FormatReal(m_dValue));
  } else {
    CString strText;
    strText.Format("%d", nPosition);
    SetWindowText(strText);
  }
}

BOOL CSliderEdit::OnChange() {
  if (m_pSlider == nullptr)
    return FALSE;
  char szText[512] = "";
  GetWindowText(szText, sizeof(szText));
  BOOL bLimited = FALSE;
  int nPosition;
  if (m_bReal) {
    double x = std::atof(szText);
    // Not a number counts as below the range.
    if (!(x >= m_dMin)) {
      x = m_dMin;
      bLimited = TRUE;
    } else if (x > m_dMax) {
      x = m_dMax;
      bLimited = TRUE;
    }
    m_dValue = x;
    nPosition = m_dRange > 0.0 ? (int)std::trunc((x - m_dMin) * m_nRange / m_dRange) : 0;
  } else {
    // Too many digits saturate, and so fall outside the range.
    long long n = std::strtoll(szText, nullptr, 10);
    if (n < m_nMin) {
      n = m_nMin;
      bLimited = TRUE;
    } else if (n > m_nMax) {
      n = m_nMax;
      bLimited = TRUE;
    }
    nPosition = (int)n;
  }
  if (bLimited)
    AfxMessageBeep(0xFFFFFFFF);
  m_pSlider->SetPosition(nPosition);
  if (bLimited && !m_bRewriting) {
    // The end of the range goes back into the field; a format that cannot
    // print that end exactly must not start this over and over.
    m_bRewriting = true;
    m_nPos = (int)0x80000000;
    SetValue(nPosition);
    m_bRewriting = false;
  }
  // The slider shows this position now; moving it elsewhere must update the text.
  m_nPos = nPosition;
  return FALSE;
}
