#include "onedim/dialogs/SetLimitsDlg.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/win/UiHooks.h"

namespace {

// Longer text is no limit anyone types; it would only hide what is wrong.
const int kMaxLimitChars = 32;

[[noreturn]] void Refuse(CDataExchange* pDX, int nIDC, LPCSTR lpszMessage) {
  pDX->PrepareEditCtrl(nIDC);
  AfxMessageBox(lpszMessage, MB_ICONEXCLAMATION);
  pDX->Fail();
}

// The edit's text as atof reads it; NaN and infinities are refused, since
// they convert to no point of the data.
double ReadLimit(CDataExchange* pDX, int nIDC) {
  CString text;
  DDX_Text(pDX, nIDC, text);
  DDV_MaxChars(pDX, text, kMaxLimitChars);
  const double dValue = std::atof(text);
  if (!std::isfinite(dValue))
    Refuse(pDX, nIDC, "Please enter a number.");
  return dValue;
}

}  // namespace

BOOL CSetLimitsDlg::OnInitDialog() {
  m_Units.SubclassDlgItem(IDC_LIMITS_UNITS, this);
  m_From.SubclassDlgItem(IDC_LIMITS_FROM, this);
  m_To.SubclassDlgItem(IDC_LIMITS_TO, this);
  static const char* const kUnits[] = {"Units: Points", "Units: Seconds", "Units: Hz", "Units: ppm"};
  m_Units.SetText(kUnits[std::max(0, std::min(m_nUnits, 3))]).SetTextColor(RGB(0, 0, 255));
  return CDialog::OnInitDialog();
}

void CSetLimitsDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  if (!pDX->m_bSaveAndValidate) {
    CString text;
    text.Format("%.2lf", m_dFrom);
    SetDlgItemText(IDC_LIMITS_FROM, text);
    text.Format("%.2lf", m_dTo);
    SetDlgItemText(IDC_LIMITS_TO, text);
    return;
  }
  const double dFrom = ReadLimit(pDX, IDC_LIMITS_FROM);
  const double dTo = ReadLimit(pDX, IDC_LIMITS_TO);
  if (dFrom == dTo)
    Refuse(pDX, IDC_LIMITS_TO, "Please enter two different limits.");
  // Either order is a range; it must keep some of the data once clamped.
  const double dLow = std::min(dFrom, dTo), dHigh = std::max(dFrom, dTo);
  const double dDataLow = std::min(m_dDataStart, m_dDataEnd), dDataHigh = std::max(m_dDataStart, m_dDataEnd);
  if (dDataLow != dDataHigh && (dHigh <= dDataLow || dLow >= dDataHigh)) {
    CString text;
    text.Format("Please enter limits between %.2lf and %.2lf.", dDataLow, dDataHigh);
    Refuse(pDX, IDC_LIMITS_FROM, text);
  }
  m_dFrom = dFrom;
  m_dTo = dTo;
}
