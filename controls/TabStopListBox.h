// CTabStopListBox: a list box whose items hold tab-separated columns. It
// sets its tab stops so that every column is as wide as its widest text plus
// a gap, and keeps them so as items are added, inserted, deleted or cleared.
#pragma once

#include "framework/base/Arrays.h"
#include "framework/base/String.h"
#include "framework/win/Controls.h"

class CTabStopListBox : public CListBox {
 public:
  CTabStopListBox();
  ~CTabStopListBox() override;

  // The gap between columns, in average characters.
  void SetColumnGap(int nGap);
  int GetColumnGap() const { return m_nColumnGap; }

 protected:
  LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
  LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);

  // Splits lpszText at its tabs and measures each column; TRUE when one is
  // at least as wide as its stored width, which bUpdate then raises.
  BOOL MeasureItem(LPCSTR lpszText, BOOL bUpdate);
  void ComputeTabStops();
  void SetTabStopsNow();
  void ResetColumns();

  int m_nAveCharWidth = 8;
  int m_nColumnGap = 2;
  CUIntArray m_TabStops;      // dialog units
  CUIntArray m_ColumnWidths;  // pixels
  int m_nColumns = 4;
  static const char s_szMeasure[];

  DECLARE_MESSAGE_MAP()
};
