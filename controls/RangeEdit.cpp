#include "controls/RangeEdit.h"

#include <cstdlib>

#include "framework/win/UiHooks.h"

BEGIN_MESSAGE_MAP(CRangeEdit, CEdit)
  ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

void CRangeEdit::SetRange(int nMin, int nMax) {
  m_nMin = nMin;
  m_nMax = nMax;
  m_nLast = nMin;
}

BOOL CRangeEdit::OnChange() {
  // The texts this handler sets raise changes of their own; they are final.
  if (m_bAdjusting)
    return FALSE;
  m_bAdjusting = true;

  CString strText;
  GetWindowText(strText);
  if (strText.GetLength() > 1) {
    int nFirst = strText.FindOneOf("123456789-");
    if (nFirst != 0) {
      SetWindowText(nFirst > 0 ? strText.Mid(nFirst) : CString("0"));
      SetSel(0, 0);
    }
  }

  GetWindowText(strText);
  if (strText.IsEmpty()) {
    m_nLast = -1;
  } else {
    // Leading sign and digits, the rest ignored; too many digits saturate
    // and so fall outside any range.
    long long nValue = std::strtoll(strText, nullptr, 10);
    if (nValue < m_nMin || nValue > m_nMax) {
      CString strLast;
      if (m_nLast != -1)
        strLast.Format("%d", m_nLast);
      SetWindowText(strLast);
      SetSel(strLast.GetLength(), strLast.GetLength());
      AfxMessageBeep(0xFFFFFFFF);
    } else {
      m_nLast = (int)nValue;
    }
  }
  m_bAdjusting = false;
  return FALSE;
}
