#include "framework/win/PrintDialog.h"

#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

namespace {

UINT_PTR CALLBACK PrintHookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG)
    return 0;
  auto* pDlg = reinterpret_cast<CPrintDialog*>(reinterpret_cast<PRINTDLGA*>(lParam)->lCustData);
  return CCommonDialog::BindDialog(pDlg, hWnd);
}

}  // namespace

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
  m_pd.lStructSize = sizeof(m_pd);
  m_pd.Flags = dwFlags;
  if (bPrintSetupOnly)
    m_pd.Flags |= PD_PRINTSETUP;
  else
    m_pd.Flags |= PD_RETURNDC;
  m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog() {
  if (m_pd.hDC != nullptr)
    ::DeleteDC(m_pd.hDC);
  FreeOwnedBlocks();
}

void CPrintDialog::FreeOwnedBlocks() {
  // The application's printer selection is the application's to free.
  CWinApp* pApp = AfxGetApp();
  HGLOBAL hAppMode = pApp != nullptr ? pApp->m_hDevMode : nullptr;
  HGLOBAL hAppNames = pApp != nullptr ? pApp->m_hDevNames : nullptr;
  if (m_pd.hDevMode != nullptr && m_pd.hDevMode != hAppMode)
    ::GlobalFree(m_pd.hDevMode);
  if (m_pd.hDevNames != nullptr && m_pd.hDevNames != hAppNames)
    ::GlobalFree(m_pd.hDevNames);
  m_pd.hDevMode = m_pd.hDevNames = nullptr;
}

INT_PTR CPrintDialog::DoModal() {
  m_pd.hwndOwner = ModalOwner();
  m_pd.lCustData = reinterpret_cast<LPARAM>(this);
  m_pd.Flags |= PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
  m_pd.lpfnPrintHook = &PrintHookProc;
  m_pd.lpfnSetupHook = &PrintHookProc;
  if (m_pd.hDC != nullptr) {
    ::DeleteDC(m_pd.hDC);
    m_pd.hDC = nullptr;
  }
  BOOL ok = ::PrintDlgA(&m_pd);
  m_pd.Flags &= ~(PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK);
  m_pd.lpfnPrintHook = nullptr;
  m_pd.lpfnSetupHook = nullptr;
  if (m_hWnd != nullptr)
    Detach();
  return ok ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults() {
  FreeOwnedBlocks();
  if (m_pd.hDC != nullptr) {
    ::DeleteDC(m_pd.hDC);
    m_pd.hDC = nullptr;
  }
  DWORD dwFlags = m_pd.Flags;
  m_pd.Flags = (dwFlags & PD_RETURNDC) | PD_RETURNDEFAULT;
  m_pd.hwndOwner = nullptr;
  BOOL ok = ::PrintDlgA(&m_pd);
  m_pd.Flags = dwFlags;
  return ok;
}

HDC CPrintDialog::CreatePrinterDC() {
  if (m_pd.hDC != nullptr) {
    ::DeleteDC(m_pd.hDC);
    m_pd.hDC = nullptr;
  }
  CString device = GetDeviceName();
  if (device.IsEmpty())
    return nullptr;
  CString driver = GetDriverName();
  m_pd.hDC = ::CreateDCA(driver.IsEmpty() ? nullptr : (LPCSTR)driver, device, nullptr, GetDevMode());
  return m_pd.hDC;
}

CString CPrintDialog::DevNamesString(size_t offsetField) const {
  if (m_pd.hDevNames == nullptr)
    return CString();
  size_t size = ::GlobalSize(m_pd.hDevNames);
  const BYTE* p = static_cast<const BYTE*>(::GlobalLock(m_pd.hDevNames));
  CString text;
  if (p != nullptr && offsetField + sizeof(WORD) <= size) {
    // The field holds the string's offset in characters from the block's start;
    // the string is read only as far as the block goes.
    size_t offset = (size_t)(p[offsetField] | (p[offsetField + 1] << 8));
    size_t end = offset;
    while (end < size && p[end] != '\0')
      ++end;
    if (offset < size)
      text = CString(reinterpret_cast<const char*>(p + offset), (int)(end - offset));
  }
  if (p != nullptr)
    ::GlobalUnlock(m_pd.hDevNames);
  return text;
}

CString CPrintDialog::GetDriverName() const {
  return DevNamesString(offsetof(DEVNAMES, wDriverOffset));
}

CString CPrintDialog::GetDeviceName() const {
  return DevNamesString(offsetof(DEVNAMES, wDeviceOffset));
}

CString CPrintDialog::GetPortName() const {
  return DevNamesString(offsetof(DEVNAMES, wOutputOffset));
}

LPDEVMODEA CPrintDialog::GetDevMode() const {
  if (m_pd.hDevMode == nullptr || ::GlobalSize(m_pd.hDevMode) < offsetof(DEVMODEA, dmFields))
    return nullptr;
  // A moveable block stays where it is while nobody reallocates it.
  LPDEVMODEA pDevMode = static_cast<LPDEVMODEA>(::GlobalLock(m_pd.hDevMode));
  ::GlobalUnlock(m_pd.hDevMode);
  return pDevMode;
}

int CPrintDialog::GetCopies() const {
  if (m_pd.Flags & PD_USEDEVMODECOPIES) {
    LPDEVMODEA pDevMode = GetDevMode();
    if (pDevMode != nullptr && (pDevMode->dmFields & DM_COPIES))
      return pDevMode->dmCopies;
  }
  return m_pd.nCopies;
}
