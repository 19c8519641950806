#include "framework/win/DataExchange.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "framework/win/UiHooks.h"
#include "framework/win/Wnd.h"

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  // A missing control is a mistake in the template or the code; the
  // exchange stops rather than writing through a null window.
  if (hWndCtrl == nullptr)
    throw CDataExchangeFailure();
  m_hWndLastControl = hWndCtrl;
  m_bEditLastControl = FALSE;
  return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND hWndCtrl = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return hWndCtrl;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_hWndLastControl != nullptr) {
    ::SendMessageA(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, (WPARAM)m_hWndLastControl, TRUE);
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl)
      ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  throw CDataExchangeFailure();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (const CDataExchangeFailure&) {
    return FALSE;
  }
  return TRUE;
}

namespace {

CString WindowText(HWND hWnd) {
  CString text;
  int nLen = ::GetWindowTextLengthA(hWnd);
  ::GetWindowTextA(hWnd, text.GetBuffer(nLen), nLen + 1);
  text.ReleaseBuffer();
  return text;
}

[[noreturn]] void Refuse(CDataExchange* pDX, LPCSTR lpszMessage) {
  AfxMessageBox(lpszMessage, MB_ICONEXCLAMATION);
  pDX->Fail();
}

// The text as a whole number within [lo, hi]: spaces around it are allowed,
// anything else is not.
bool ParseInteger(const CString& text, long long lo, long long hi, long long& value) {
  const char* p = text;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(p, &end, 10);
  if (end == p || errno == ERANGE)
    return false;
  while (*end == ' ' || *end == '\t')
    ++end;
  if (*end != '\0' || v < lo || v > hi)
    return false;
  value = v;
  return true;
}

bool ParseReal(const CString& text, double limit, double& value) {
  const char* p = text;
  char* end = nullptr;
  double v = std::strtod(p, &end);
  if (end == p)
    return false;
  while (*end == ' ' || *end == '\t')
    ++end;
  if (*end != '\0' || !std::isfinite(v) || std::fabs(v) > limit)
    return false;
  value = v;
  return true;
}

void SetText(HWND hWnd, LPCSTR text) {
  // Rewriting the same text would move the caret and raise EN_CHANGE for nothing.
  if (WindowText(hWnd) != text)
    ::SetWindowTextA(hWnd, text);
}

template <class T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long lo, long long hi, LPCSTR lpszFormat,
                     LPCSTR lpszMessage) {
  HWND hWnd = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    long long v = 0;
    if (!ParseInteger(WindowText(hWnd), lo, hi, v))
      Refuse(pDX, lpszMessage);
    value = (T)v;
  } else {
    CString text;
    text.Format(lpszFormat, value);
    SetText(hWnd, text);
  }
}

template <class T>
void ExchangeReal(CDataExchange* pDX, int nIDC, T& value, double limit, int nDigits) {
  HWND hWnd = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    double v = 0;
    if (!ParseReal(WindowText(hWnd), limit, v))
      Refuse(pDX, "Please enter a number.");
    value = (T)v;
  } else {
    CString text;
    text.Format("%.*g", nDigits, (double)value);
    SetText(hWnd, text);
  }
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
  ExchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX, "%d", "Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
  ExchangeInteger(pDX, nIDC, value, 0, UINT_MAX, "%u", "Please enter a positive integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
  ExchangeInteger(pDX, nIDC, value, LONG_MIN, LONG_MAX, "%ld", "Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
  ExchangeReal(pDX, nIDC, value, FLT_MAX, FLT_DIG);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
  ExchangeReal(pDX, nIDC, value, DBL_MAX, DBL_DIG);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = WindowText(hWnd);
  else
    SetText(hWnd, value);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = (int)::SendMessageA(hWnd, BM_GETCHECK, 0, 0);
  } else {
    ::SendMessageA(hWnd, BM_SETCHECK, (WPARAM)(value < 0 || value > 2 ? 0 : value), 0);
  }
}

static bool IsRadioButton(HWND hWnd) {
  if ((::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0)
    return true;
  UINT style = (UINT)::GetWindowLongA(hWnd, GWL_STYLE) & BS_TYPEMASK;
  return style == BS_RADIOBUTTON || style == BS_AUTORADIOBUTTON;
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndFirst = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = -1;
  // The group runs from nIDC up to the next control with WS_GROUP.
  int index = 0;
  HWND hWnd = hWndFirst;
  do {
    if (IsRadioButton(hWnd)) {
      if (pDX->m_bSaveAndValidate) {
        if (::SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
          value = index;
      } else {
        ::SendMessageA(hWnd, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ++index;
    }
    hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
  } while (hWnd != nullptr && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_GROUP) == 0);
}

namespace {

CString ListText(HWND hWnd, UINT msgLen, UINT msgText, int index) {
  CString text;
  int nLen = (int)::SendMessageA(hWnd, msgLen, (WPARAM)index, 0);
  if (index < 0 || nLen < 0)
    return text;
  ::SendMessageA(hWnd, msgText, (WPARAM)index, (LPARAM)text.GetBuffer(nLen));
  text.ReleaseBuffer();
  return text;
}

}  // namespace

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = (int)::SendMessageA(hWnd, LB_GETCURSEL, 0, 0);
  else
    ::SendMessageA(hWnd, LB_SETCURSEL, (WPARAM)index, 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = ListText(hWnd, LB_GETTEXTLEN, LB_GETTEXT, (int)::SendMessageA(hWnd, LB_GETCURSEL, 0, 0));
  } else if (::SendMessageA(hWnd, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCSTR)value) == LB_ERR) {
    ::SendMessageA(hWnd, LB_SETCURSEL, (WPARAM)-1, 0);
  }
}

void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    DDX_LBString(pDX, nIDC, value);
  } else {
    LRESULT index = ::SendMessageA(hWnd, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCSTR)value);
    ::SendMessageA(hWnd, LB_SETCURSEL, index == LB_ERR ? (WPARAM)-1 : (WPARAM)index, 0);
  }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = (int)::SendMessageA(hWnd, CB_GETCURSEL, 0, 0);
  else
    ::SendMessageA(hWnd, CB_SETCURSEL, (WPARAM)index, 0);
}

static bool HasEditField(HWND hWnd) {
  return ((UINT)::GetWindowLongA(hWnd, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST;
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    // With an edit field the text is what the user typed; without, the selected item's.
    if (HasEditField(hWnd))
      value = WindowText(hWnd);
    else
      value = ListText(hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, (int)::SendMessageA(hWnd, CB_GETCURSEL, 0, 0));
  } else if (::SendMessageA(hWnd, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCSTR)value) == CB_ERR) {
    if (HasEditField(hWnd))
      ::SetWindowTextA(hWnd, value);
  }
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    DDX_CBString(pDX, nIDC, value);
    return;
  }
  LRESULT index = ::SendMessageA(hWnd, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCSTR)value);
  if (index != CB_ERR)
    ::SendMessageA(hWnd, CB_SETCURSEL, (WPARAM)index, 0);
  else if (HasEditField(hWnd))
    ::SetWindowTextA(hWnd, value);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != nullptr)
    return;
  pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassDlgItem((UINT)nIDC, pDX->m_pDlgWnd))
    pDX->Fail();
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
    return;
  CString text;
  text.Format("Please enter an integer between %d and %d.", minVal, maxVal);
  Refuse(pDX, text);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
    return;
  CString text;
  text.Format("Please enter an integer between %u and %u.", minVal, maxVal);
  Refuse(pDX, text);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
    return;
  CString text;
  text.Format("Please enter an integer between %ld and %ld.", minVal, maxVal);
  Refuse(pDX, text);
}

void DDV_MinMaxFloat(CDataExchange* pDX, float value, float minVal, float maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
    return;
  CString text;
  text.Format("Please enter a number between %.*g and %.*g.", FLT_DIG, (double)minVal, FLT_DIG, (double)maxVal);
  Refuse(pDX, text);
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
    return;
  CString text;
  text.Format("Please enter a number between %.*g and %.*g.", DBL_DIG, minVal, DBL_DIG, maxVal);
  Refuse(pDX, text);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  if (!pDX->m_bSaveAndValidate) {
    if (pDX->m_hWndLastControl != nullptr && pDX->m_bEditLastControl)
      ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
    return;
  }
  if (value.GetLength() <= nChars)
    return;
  CString text;
  text.Format("Enter no more than %d characters.", nChars);
  Refuse(pDX, text);
}
