#include "framework/win/EditView.h"

#include <vector>

#include "framework/base/Archive.h"

IMPLEMENT_DYNCREATE(CEditView, CView)

BEGIN_MESSAGE_MAP(CEditView, CView)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CEditView::~CEditView() {
  m_edit.DetachTemporary();
}

BOOL CEditView::PreCreateWindow(CREATESTRUCT& cs) {
  cs.lpszClass = "EDIT";
  cs.style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL;
  return CView::PreCreateWindow(cs);
}

int CEditView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CView::OnCreate(lpcs) == -1)
    return -1;
  m_edit.AttachTemporary(m_hWnd);
  // No limit but memory: scripts may be long.
  m_edit.SetLimitText(0);
  return 0;
}

void CEditView::OnDestroy() {
  m_edit.DetachTemporary();
  CView::OnDestroy();
}

void CEditView::SerializeRaw(CArchive& ar) {
  if (ar.IsStoring()) {
    CString text;
    GetWindowText(text);
    ar.Write((LPCSTR)text, (UINT)text.GetLength());
    return;
  }
  std::vector<char> bytes;
  char chunk[4096];
  UINT nRead;
  while ((nRead = ar.Read(chunk, sizeof(chunk))) > 0)
    bytes.insert(bytes.end(), chunk, chunk + nRead);
  bytes.push_back('\0');
  SetWindowText(bytes.data());
}
