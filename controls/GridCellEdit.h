// CGridCellEdit: the edit field a grid opens over a cell to edit its text.
// It ends when it loses the focus: it tells the grid the text and the key
// that ended it (GVN_ENDLABELEDIT), closes, and deletes itself.
#pragma once

#include "framework/base/Rect.h"
#include "framework/base/String.h"
#include "framework/win/Controls.h"

class CGridCellEdit : public CEdit {
  DECLARE_DYNAMIC(CGridCellEdit)
 public:
  // nFirstChar: the key that began the edit, 1 for a mouse click.
  CGridCellEdit(CWnd* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn, LPCSTR lpszInitText,
                UINT nFirstChar);

  BOOL PreTranslateMessage(MSG* pMsg) override;
  int GetRow() const { return m_nRow; }
  int GetColumn() const { return m_nColumn; }

 protected:
  void PostNcDestroy() override;
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKillFocus(CWnd* pNewWnd);
  UINT OnGetDlgCode();
  // Stores the key that ends the edit and gives the focus back to the grid.
  void Finish(UINT nChar);
  void EndEdit();

  CString m_sInitText;
  int m_nRow;
  int m_nColumn;
  UINT m_nLastChar = 0;
  BOOL m_bExitOnArrows;
  BOOL m_bEnded = FALSE;

  DECLARE_MESSAGE_MAP()
};
