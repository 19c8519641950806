#include "onedim/dialogs/analysis/DialogToolBar.h"

#include "framework/win/UiHooks.h"

BOOL CreateDialogToolBar(CToolBar& bar, CWnd* pParent, UINT nID) {
  if (!bar.CreateEx(pParent, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP) || !bar.LoadToolBar(nID))
    return FALSE;
  for (int i = 0; i < bar.GetCount(); i++) {
    const CString prompt = AfxLoadString(bar.GetItemID(i));
    const int nBreak = prompt.Find('\n');
    bar.SetButtonText(i, nBreak >= 0 ? prompt.Mid(nBreak + 1) : prompt);
  }
  bar.SetSizes(CSize(48, 36), CSize(16, 15));
  CRect rcClient;
  pParent->GetClientRect(&rcClient);
  const CSize size = bar.CalcFixedLayout(FALSE, TRUE);
  bar.MoveWindow(0, 0, rcClient.Width(), size.cy);
  return TRUE;
}
