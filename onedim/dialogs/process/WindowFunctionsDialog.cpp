#include "onedim/dialogs/process/WindowFunctionsDialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/win/DataExchange.h"
#include "framework/win/UiHooks.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/PeakPicking.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/WindowFunction.h"

namespace {

const char* const kTypes[CWindowFunction::TypeCount] = {
    "Exponential", "Gaussian", "Lorentzian/Gaussian", "Traficante", "Sine bell", "Sine Squared", "Hamming", "Hanning"};

// One parameter: its edit, scroll bar and label.
struct Parameter {
  UINT nEdit, nScroll, nLabel;
};
const Parameter kLB = {IDC_WF_LB, IDC_WF_LB_SCROLL, IDC_WF_LB_LABEL};
const Parameter kGB = {IDC_WF_GB, IDC_WF_GB_SCROLL, IDC_WF_GB_LABEL};
const Parameter kGaussShift = {IDC_WF_GAUSS_SHIFT, IDC_WF_GAUSS_SCROLL, IDC_WF_GAUSS_LABEL};
const Parameter kSineShift = {IDC_WF_SINE_SHIFT, IDC_WF_SINE_SCROLL, IDC_WF_SINE_LABEL};
const Parameter kParameters[] = {kLB, kGB, kGaussShift, kSineShift};

// Which parameters a window type uses, in the order of kParameters.
bool Uses(int nType, int nParameter) {
  switch (nType) {
    case CWindowFunction::Gaussian:
      return nParameter == 0 || nParameter == 2;
    case CWindowFunction::LorentzGauss:
      return nParameter == 0 || nParameter == 1;
    case CWindowFunction::SineBell:
    case CWindowFunction::SineSquared:
      return nParameter == 3;
    case CWindowFunction::Hamming:
    case CWindowFunction::Hanning:
      return false;
    default:
      return nParameter == 0;
  }
}

const int kScrollMin = -1000;
const int kScrollMax = 1000;
const double kSineScale = 22.22222222222222;  // scroll steps per degree
const BYTE kPenWidthMin = 1, kPenWidthMax = 10;

// The "More Options" state for the whole run of the program.
BOOL g_bMoreOptions = TRUE;

}  // namespace

BEGIN_MESSAGE_MAP(CWindowFunctionsDialog, CDialog)
  ON_CBN_SELCHANGE(IDC_WF_TYPE, OnTypeChange)
  ON_BN_CLICKED(IDC_WF_APPLY, OnApply)
  ON_BN_CLICKED(IDC_WF_MORE, OnMoreOptions)
  ON_COMMAND(ID_WF_CANCEL_KEY, OnCancel)
  ON_WM_HSCROLL()
  ON_EN_CHANGE(IDC_WF_LB, OnParameterTyped)
  ON_EN_CHANGE(IDC_WF_GB, OnParameterTyped)
  ON_EN_CHANGE(IDC_WF_GAUSS_SHIFT, OnParameterTyped)
  ON_EN_CHANGE(IDC_WF_SINE_SHIFT, OnParameterTyped)
  ON_MESSAGE(WMU_COLOUR_SELCHANGE, OnColourChange)
END_MESSAGE_MAP()

CWindowFunctionsDialog::CWindowFunctionsDialog(CBrivaneProDoc* pDoc, CWnd* pParent)
    : CDialog(IDD, pParent), m_Session(pDoc), m_pDoc(pDoc) {}

int CWindowFunctionsDialog::ValueToScroll(UINT nScrollId, float fValue) {
  const double dPos = nScrollId == IDC_WF_SINE_SCROLL ? (fValue - 45.0) * kSineScale : fValue * 100.0;
  return (int)std::max<double>(kScrollMin, std::min<double>(kScrollMax, dPos));
}

float CWindowFunctionsDialog::ScrollToValue(UINT nScrollId, int nPos) {
  return nScrollId == IDC_WF_SINE_SCROLL ? (float)(nPos * 0.045 + 45.0) : (float)(nPos * 0.01);
}

CWindowFunction* CWindowFunctionsDialog::CurrentWindow() const {
  CSpectrum* pSpectrum = m_pDoc->GetCurrentSpectrum();
  return pSpectrum != nullptr ? pSpectrum->m_pWindow : nullptr;
}

void CWindowFunctionsDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_WF_INTERACTIVE, m_bInteractive);
  DDX_Check(pDX, IDC_WF_APPLY_ALL, m_bApplyToAll);
}

BOOL CWindowFunctionsDialog::OnInitDialog() {
  m_Type.SubclassDlgItem(IDC_WF_TYPE, this);
  m_Colour.SubclassDlgItem(IDC_WF_COLOUR, this);
  m_PenWidth.SubclassDlgItem(IDC_WF_PEN_WIDTH, this);
  m_OK.SubclassDlgItem(IDOK, this);
  m_Cancel.SubclassDlgItem(IDCANCEL, this);
  m_Apply.SubclassDlgItem(IDC_WF_APPLY, this);
  CDialog::OnInitDialog();
  LoadAccelTable(MAKEINTRESOURCEA(IDD));
  m_Session.KeepData();

  m_OK.SetIcon(IDI_HISTORY_OK);
  m_Cancel.SetIcon(IDI_CANCEL);
  m_Apply.SetIcon(IDI_APPLY);
  m_Colour.SetAutomaticText(nullptr);
  m_Colour.SetColour(m_crCurve);
  const CWindowFunction* pWindow = CurrentWindow();
  SetDlgItemInt(IDC_WF_PEN_WIDTH, pWindow != nullptr ? pWindow->m_nPenWidth : 1);
  Resize(FALSE);

  for (const char* psz : kTypes)
    m_Type.AddString(psz);
  if (m_nType < 0 || m_nType >= CWindowFunction::TypeCount)
    m_nType = CWindowFunction::Exponential;
  m_Type.SetCurSel(m_nType);
  ShowTypeControls();

  const float values[] = {pWindow ? pWindow->m_LB : 0.0f, pWindow ? pWindow->m_GB : 0.0f,
                          pWindow ? pWindow->m_GaussShift : 0.0f, pWindow ? pWindow->m_SineShift : 45.0f};
  for (int i = 0; i < 4; i++) {
    HWND hBar = ::GetDlgItem(m_hWnd, kParameters[i].nScroll);
    ::SetScrollRange(hBar, SB_CTL, kScrollMin, kScrollMax, FALSE);
    ::SetScrollPos(hBar, SB_CTL, ValueToScroll(kParameters[i].nScroll, values[i]), TRUE);
    char text[32];
    std::snprintf(text, sizeof(text), "%.1lf", (double)values[i]);
    SetDlgItemText(kParameters[i].nEdit, text);
  }
  ShowNoise();
  m_bFollowEdits = 1;
  return TRUE;
}

void CWindowFunctionsDialog::ShowTypeControls() {
  for (int i = 0; i < 4; i++) {
    const int nShow = Uses(m_nType, i) ? SW_SHOW : SW_HIDE;
    for (UINT nId : {kParameters[i].nEdit, kParameters[i].nScroll, kParameters[i].nLabel})
      GetDlgItem(nId)->ShowWindow(nShow);
  }
}

void CWindowFunctionsDialog::StoreEdits() {
  float values[4];
  for (int i = 0; i < 4; i++) {
    CString text;
    GetDlgItemText(kParameters[i].nEdit, text);
    values[i] = (float)std::atof(text);
  }
  m_Session.StoreParameters(m_nType, values[0], values[1], values[2], values[3], m_bApplyToAll);
}

void CWindowFunctionsDialog::PlaceScrollBars() {
  const CWindowFunction* pWindow = CurrentWindow();
  if (pWindow == nullptr)
    return;
  const float values[] = {pWindow->m_LB, pWindow->m_GB, pWindow->m_GaussShift, pWindow->m_SineShift};
  for (int i = 0; i < 4; i++)
    ::SetScrollPos(::GetDlgItem(m_hWnd, kParameters[i].nScroll), SB_CTL,
                   ValueToScroll(kParameters[i].nScroll, values[i]), TRUE);
}

void CWindowFunctionsDialog::OnTypeChange() {
  m_nType = m_Type.GetCurSel();
  ShowTypeControls();
  UpdateData(TRUE);
  StoreEdits();
  if (CWindowFunction* pWindow = CurrentWindow())
    pWindow->Apply();
  m_pDoc->UpdateViews();
}

void CWindowFunctionsDialog::ApplyChange() {
  UpdateData(TRUE);
  StoreEdits();
  if (m_bFromEdit)
    PlaceScrollBars();
  // A window that cannot be applied (no spectral width) leaves the data as
  // they were; the preview simply does not change.
  m_Session.Apply(m_bApplyToAll, m_bInteractive);
  m_pDoc->UpdateViews();
  ShowNoise();
}

void CWindowFunctionsDialog::OnApply() {
  ApplyChange();
}

void CWindowFunctionsDialog::ShowNoise() {
  CSpectrum* pSpectrum = m_pDoc->GetCurrentSpectrum();
  if (pSpectrum == nullptr || pSpectrum->m_pData == nullptr || pSpectrum->m_paramsA.td < 2)
    return;
  const int nMax = pSpectrum->GetMaxIndex();
  char text[32];
  // The width at half height of the largest line, from complex points to Hz.
  double dPosition = nMax / 2, dHeight = 0.0, dWidth = 0.0;
  if (peakwidth(pSpectrum->m_pData, pSpectrum->m_paramsA.td / 2, dPosition, dHeight, dWidth)) {
    std::snprintf(text, sizeof(text), "%.2lf", dWidth * pSpectrum->m_paramsA.sw / pSpectrum->m_paramsA.td * 2);
    SetDlgItemText(IDC_WF_LINE_WIDTH, text);
  }
  double dSignalToNoise = 0.0, dNoise = 0.0;
  pSpectrum->GetSignalToNoise(nMax, dSignalToNoise, dNoise);
  std::snprintf(text, sizeof(text), "%.2lf", dSignalToNoise);
  SetDlgItemText(IDC_WF_SIGNAL_NOISE, text);
}

void CWindowFunctionsDialog::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  if (pScrollBar == nullptr)
    return;
  const UINT nId = (UINT)pScrollBar->GetDlgCtrlID();
  const Parameter* pParameter = nullptr;
  for (const Parameter& parameter : kParameters)
    if (parameter.nScroll == nId)
      pParameter = &parameter;
  if (pParameter == nullptr)
    return;
  const HWND hBar = pScrollBar->m_hWnd;
  int nNew = ::GetScrollPos(hBar, SB_CTL);
  switch (nSBCode) {
    case SB_LINELEFT:
      nNew -= 10;
      break;
    case SB_LINERIGHT:
      nNew += 10;
      break;
    case SB_PAGELEFT:
      nNew -= 40;
      break;
    case SB_PAGERIGHT:
      nNew += 40;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      nNew = (short)(WORD)nPos;  // the message carries the position as 16 bits
      break;
    default:
      break;
  }
  nNew = std::max(kScrollMin, std::min(kScrollMax, nNew));
  ::SetScrollPos(hBar, SB_CTL, nNew, TRUE);
  char text[32];
  std::snprintf(text, sizeof(text), "%.1lf", (double)ScrollToValue(nId, nNew));
  m_bFollowEdits = 0;  // the bar writes the field: no typing to follow
  SetDlgItemText(pParameter->nEdit, text);
  m_bFollowEdits = 1;
  m_bFromEdit = 0;
  ApplyChange();
}

void CWindowFunctionsDialog::OnParameterTyped() {
  // The curve and the data follow each keystroke, as they follow a bar.
  if (!m_bFollowEdits)
    return;
  m_bFromEdit = 1;
  ApplyChange();
}

LRESULT CWindowFunctionsDialog::OnColourChange(WPARAM, LPARAM) {
  if (CWindowFunction* pWindow = CurrentWindow())
    pWindow->m_Colour = m_Colour.GetColour();
  m_pDoc->UpdateViews();
  return 0;
}

void CWindowFunctionsDialog::SetPenWidthFromEdit() {
  CString text;
  GetDlgItemText(IDC_WF_PEN_WIDTH, text);
  const int nWidth = std::atoi(text);
  if (nWidth < kPenWidthMin || nWidth > kPenWidthMax) {
    AfxMessageBox("Must be between 1 and 10\ntry again");
    SetDlgItemText(IDC_WF_PEN_WIDTH, "1");
    return;
  }
  if (CWindowFunction* pWindow = CurrentWindow())
    pWindow->m_nPenWidth = nWidth;
  m_pDoc->UpdateViews();
}

BOOL CWindowFunctionsDialog::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
    const DWORD dwDef = GetDefID();
    HWND hFocus = ::GetFocus();
    char szClass[16] = "";
    if (hFocus != nullptr)
      ::GetClassNameA(hFocus, szClass, sizeof(szClass));
    if (HIWORD(dwDef) == DC_HASDEFID && _stricmp(szClass, "edit") == 0 && ::IsChild(m_hWnd, hFocus)) {
      GotoDlgCtrl(GetDlgItem(LOWORD(dwDef)));
      if (::GetDlgCtrlID(hFocus) == IDC_WF_PEN_WIDTH) {
        SetPenWidthFromEdit();
      } else {
        m_bFromEdit = 1;
        ApplyChange();
      }
      return TRUE;
    }
  }
  return CDialog::PreTranslateMessage(pMsg);
}

void CWindowFunctionsDialog::Resize(BOOL bFull) {
  if (m_rectFull.IsRectNull()) {
    GetWindowRect(&m_rectFull);
    CRect rcMarker;
    GetDlgItem(IDC_WF_SHORT_END)->GetWindowRect(&rcMarker);
    m_nShortEnd = rcMarker.top;
  }
  const int nHeight = bFull ? m_rectFull.Height() : m_nShortEnd - m_rectFull.top;
  SetWindowPos(nullptr, 0, 0, m_rectFull.Width(), nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetDlgItemText(IDC_WF_MORE, bFull ? " &Close Options" : " &More Options");
}

void CWindowFunctionsDialog::OnMoreOptions() {
  Resize(g_bMoreOptions);
  g_bMoreOptions = !g_bMoreOptions;
}

void CWindowFunctionsDialog::OnOK() {
  m_bFromEdit = 1;
  ApplyChange();
  m_crCurve = m_Colour.GetColour();
  m_Session.Accept();
  EndDialog(IDOK);
}

void CWindowFunctionsDialog::OnCancel() {
  m_Session.Cancel();
  m_pDoc->UpdateViews();
  EndDialog(IDCANCEL);
}
