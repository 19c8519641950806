// CDataPoints: the Data Points page of the spectrum properties sheet: the
// raw complex points of a range in a grid. The rows are filled one at a time
// while the page keeps handling messages, so a long range never freezes the
// sheet, and closing the sheet ends the fill.
#pragma once

#include "controls/GridCtrl.h"
#include "controls/IconButton.h"
#include "framework/win/CommonControls.h"
#include "framework/win/Controls.h"
#include "framework/win/PropertyPage.h"
#include "resources/BrivaneRes.h"

// The page's grid. A data row's texts are made from the spectrum's points
// whenever they are asked for (drawn, copied, printed), and its rows hold no
// cells until one is selected, so a million-point range costs no string and
// no cell per row.
class CDataPointsGrid : public CGridCtrl {
 public:
  CDataPointsGrid() { SetLazyRows(); }
  // Row 1 shows complex point nFirst of pData (not owned).
  void SetPoints(const float* pData, int nFirst) {
    m_pData = pData;
    m_nFirstPoint = nFirst;
  }
  CString GetItemText(int nRow, int nCol) override;

 private:
  const float* m_pData = nullptr;
  int m_nFirstPoint = 0;
};

class CDataPoints : public CPropertyPage {
 public:
  enum { IDD = IDD_DATA_POINTS };
  CDataPoints() : CPropertyPage(IDD) {}

  // The spectrum's floats (td of them, not owned), shown from m_nFirst to m_nLast.
  void SetData(const float* pData, int nTd) {
    m_pData = pData;
    m_nTd = nTd;
  }

  int m_nFirst = 0;  // complex point numbers
  int m_nLast = 0;
  int m_nPrevFirst = 0;
  int m_nPrevLast = 0;
  int m_nCount = 0;    // data rows of the fill
  int m_nFillPos = 0;  // rows filled so far
  UINT_PTR m_nTimer = 0;

  // A fill runs or is about to start.
  BOOL IsFilling() const { return m_bFilling || m_bFillPosted; }

 protected:
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnUpdate();
  void OnCopy();
  void OnPrint();
  void OnFullData();
  void OnTimer(UINT_PTR nIDEvent);
  LRESULT OnStartFill(WPARAM, LPARAM);
  void PostFill();

  // Reads both edits and puts a refused value back, with its message.
  void CheckRange();
  // Refills the grid from the range; a fill under way gives way to it.
  void Fill();
  // One pending message handled; FALSE when the page or the sheet is going.
  BOOL PumpOne();

  const float* m_pData = nullptr;
  int m_nTd = 0;
  BOOL m_bFilling = FALSE;
  BOOL m_bStopFill = FALSE;
  BOOL m_bFillPosted = FALSE;
  CDataPointsGrid m_Grid;
  CProgressCtrl m_Progress;
  CStatic m_Updating;
  CIconButton m_Buttons[4];

  DECLARE_MESSAGE_MAP()
};
