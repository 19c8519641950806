// CNotifyGridCtrl: a grid that tells its parent after each edit of a cell,
// with WMU_GRID_CELL_EDITED (both parameters 0), once the text is stored.
#pragma once

#include "controls/GridCtrl.h"

const UINT WMU_GRID_CELL_EDITED = 0x2B36;

class CNotifyGridCtrl : public CGridCtrl {
  DECLARE_DYNCREATE(CNotifyGridCtrl)
 public:
  CNotifyGridCtrl() = default;

 protected:
  void OnCellEdited(int nRow, int nCol, LPCSTR lpszText) override;
};
