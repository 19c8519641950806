#include "framework/win/CommonDialogs.h"

#include <cstring>

#include <cderr.h>

#include "framework/win/Dc.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

BEGIN_MESSAGE_MAP(CCommonDialog, CDialog)
  ON_MESSAGE(WM_RUNDIALOGHOOK, OnRunDialogHook)
END_MESSAGE_MAP()

BOOL CCommonDialog::BindDialog(CCommonDialog* pDlg, HWND hWnd) {
  if (pDlg == nullptr || !pDlg->SubclassWindow(hWnd))
    return TRUE;
  // The test hook acts once the system dialog has finished setting itself up.
  ::PostMessageA(hWnd, WM_RUNDIALOGHOOK, 0, 0);
  return pDlg->OnInitDialog();
}

LRESULT CCommonDialog::OnRunDialogHook(WPARAM, LPARAM) {
  AfxRunModalDialogHook(*this);
  return 0;
}

namespace {

UINT_PTR CALLBACK FileHookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG)
    return 0;
  auto* pDlg = reinterpret_cast<CFileDialog*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
  return CCommonDialog::BindDialog(pDlg, hWnd);
}

UINT_PTR CALLBACK ColorHookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG)
    return 0;
  auto* pDlg = reinterpret_cast<CColorDialog*>(reinterpret_cast<CHOOSECOLORA*>(lParam)->lCustData);
  return CCommonDialog::BindDialog(pDlg, hWnd);
}

UINT_PTR CALLBACK FontHookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG)
    return 0;
  auto* pDlg = reinterpret_cast<CFontDialog*>(reinterpret_cast<CHOOSEFONTA*>(lParam)->lCustData);
  return CCommonDialog::BindDialog(pDlg, hWnd);
}

// Room for a few hundred full paths when several files are chosen.
const size_t kFileBufferSize = 65535;

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags, LPCSTR lpszFilter,
                         CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_fileBuffer(kFileBufferSize + 2, '\0') {
  m_ofn.lStructSize = sizeof(m_ofn);
  m_ofn.Flags = dwFlags;
  if (lpszDefExt != nullptr) {
    m_defExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_defExt.c_str();
  }
  if (lpszFileName != nullptr)
    lstrcpynA(m_fileBuffer.data(), lpszFileName, (int)kFileBufferSize);
  if (lpszFilter != nullptr) {
    // The system wants the pairs separated and ended by zeros.
    m_filter = lpszFilter;
    for (char& ch : m_filter)
      if (ch == '|')
        ch = '\0';
    m_filter.append(2, '\0');
    m_ofn.lpstrFilter = m_filter.c_str();
  }
}

INT_PTR CFileDialog::DoModal() {
  m_ofn.hwndOwner = ModalOwner();
  m_ofn.lpstrFile = m_fileBuffer.data();
  m_ofn.nMaxFile = (DWORD)kFileBufferSize;
  m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
  m_ofn.lpfnHook = &FileHookProc;
  m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
  if ((m_ofn.Flags & OFN_ENABLETEMPLATE) && m_ofn.hInstance == nullptr)
    m_ofn.hInstance = AfxGetResourceHandle();
  BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
  if (m_hWnd != nullptr)
    Detach();
  if (!ok) {
    // A cancelled or failed dialog chose nothing; a choice too long for the
    // buffer is said so rather than passed off as a cancel.
    if (::CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
      AfxMessageBox("Too many files are selected. Choose fewer files at a time.", MB_ICONEXCLAMATION);
    m_fileBuffer[0] = '\0';
  }
  return ok ? IDOK : IDCANCEL;
}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
  LRESULT result = 0;
  switch (pNMHDR->code) {
    case CDN_INITDONE:
      OnInitDone();
      break;
    case CDN_SELCHANGE:
      OnFileNameChange();
      break;
    case CDN_FOLDERCHANGE:
      OnFolderChange();
      break;
    case CDN_TYPECHANGE:
      m_ofn.nFilterIndex = reinterpret_cast<const OFNOTIFYA*>(lParam)->lpOFN->nFilterIndex;
      OnTypeChange();
      break;
    case CDN_FILEOK:
      result = OnFileNameOK() ? 1 : 0;
      break;
    default:
      return CCommonDialog::OnNotify(wParam, lParam, pResult);
  }
  // A dialog's answer travels in its message result.
  ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
  *pResult = result;
  return TRUE;
}

CString CFileDialog::GetPathName() const {
  if (m_hWnd != nullptr) {
    char path[MAX_PATH + 1] = "";
    ::SendMessageA(::GetParent(m_hWnd), CDM_GETFILEPATH, MAX_PATH, (LPARAM)path);
    return path;
  }
  POSITION pos = GetStartPosition();
  return pos != nullptr ? GetNextPathName(pos) : CString();
}

CString CFileDialog::GetFileName() const {
  CString path = GetPathName();
  int slash = path.ReverseFind('\\');
  return slash >= 0 ? path.Mid(slash + 1) : path;
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot >= 0 ? name.Left(dot) : name;
}

CString CFileDialog::GetFolderPath() const {
  if (m_hWnd == nullptr)
    return CString();
  char path[MAX_PATH + 1] = "";
  ::SendMessageA(::GetParent(m_hWnd), CDM_GETFOLDERPATH, MAX_PATH, (LPARAM)path);
  return path;
}

// Several chosen files come as the folder, then each name, each ended by a
// zero, with one more zero at the end; a single file comes as its full path.
// A position is the offset of the next name plus one. Without multi-selection
// the buffer holds one path only: what follows its zero is the tail of an
// older, longer name and must not be read as a second file.
POSITION CFileDialog::GetStartPosition() const {
  const char* buffer = m_fileBuffer.data();
  if (buffer[0] == '\0')
    return nullptr;
  size_t first = std::strlen(buffer) + 1;
  if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || buffer[first] == '\0')
    first = 0;  // one file: the whole path
  return reinterpret_cast<POSITION>(first + 1);
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  const char* buffer = m_fileBuffer.data();
  size_t offset = reinterpret_cast<size_t>(pos) - 1;
  if (pos == nullptr || offset >= m_fileBuffer.size()) {
    pos = nullptr;
    return CString();
  }
  if (offset == 0) {
    pos = nullptr;
    return CString(buffer);
  }
  CString folder(buffer);
  CString path = folder;
  if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '\\')
    path += '\\';
  path += buffer + offset;
  size_t next = offset + std::strlen(buffer + offset) + 1;
  pos = next < m_fileBuffer.size() && buffer[next] != '\0' ? reinterpret_cast<POSITION>(next + 1) : nullptr;
  return path;
}

void CFileDialog::SetControlText(int nID, LPCSTR lpszText) {
  ::SendMessageA(::GetParent(m_hWnd), CDM_SETCONTROLTEXT, (WPARAM)nID, (LPARAM)lpszText);
}

void CFileDialog::HideControl(int nID) {
  ::SendMessageA(::GetParent(m_hWnd), CDM_HIDECONTROL, (WPARAM)nID, 0);
}

COLORREF CColorDialog::c_CustColors[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
  m_cc.lStructSize = sizeof(m_cc);
  m_cc.rgbResult = clrInit;
  m_cc.Flags = dwFlags | CC_RGBINIT;
  m_cc.lpCustColors = c_CustColors;
}

INT_PTR CColorDialog::DoModal() {
  m_cc.hwndOwner = ModalOwner();
  m_cc.Flags |= CC_ENABLEHOOK;
  m_cc.lpfnHook = &ColorHookProc;
  m_cc.lCustData = reinterpret_cast<LPARAM>(this);
  BOOL ok = ::ChooseColorA(&m_cc);
  if (m_hWnd != nullptr)
    Detach();
  return ok ? IDOK : IDCANCEL;
}

void CColorDialog::SetCurrentColor(COLORREF clr) {
  // The dialog's own message for "set the current colour".
  static const UINT s_msgSetRgb = ::RegisterWindowMessageA(SETRGBSTRINGA);
  ::SendMessageA(m_hWnd, s_msgSetRgb, 0, (LPARAM)clr);
}

CFontDialog::CFontDialog(const LOGFONT* lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd) {
  m_cf.lStructSize = sizeof(m_cf);
  m_cf.lpLogFont = &m_lf;
  m_cf.Flags = dwFlags;
  if (lplfInitial != nullptr) {
    m_lf = *lplfInitial;
    m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
  }
  if (pdcPrinter != nullptr) {
    m_cf.hDC = pdcPrinter->m_hDC;
    m_cf.Flags |= CF_PRINTERFONTS;
  }
}

INT_PTR CFontDialog::DoModal() {
  m_cf.hwndOwner = ModalOwner();
  m_cf.lpLogFont = &m_lf;
  m_cf.Flags |= CF_ENABLEHOOK;
  m_cf.lpfnHook = &FontHookProc;
  m_cf.lCustData = reinterpret_cast<LPARAM>(this);
  BOOL ok = ::ChooseFontA(&m_cf);
  if (m_hWnd != nullptr)
    Detach();
  return ok ? IDOK : IDCANCEL;
}
