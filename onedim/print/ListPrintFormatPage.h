// The "Headers and Fonts" tab of the list print set-up: the face and point
// size of the header, content and footer fonts, and the header, footer and
// page-number texts. Also the options the whole set-up edits.
#pragma once

#include "controls/FontListCombo.h"
#include "framework/win/Dialog.h"

// What the list print set-up edits: texts, fonts (face, points), margins
// (millimetres) and the grid.
struct CListPrintOptions {
  CString strHeader;
  CString strFooter;
  CString strPageFormat;
  CString strHeaderFace;
  CString strFooterFace;
  CString strContentFace;
  int nHeaderSize = 14;
  int nFooterSize = 8;
  int nContentSize = 12;
  int nMarginLeft = 10;
  int nMarginTop = 10;
  int nMarginRight = 10;
  int nMarginBottom = 10;
  int bPrintGrid = 1;
};

class CListPrintFormatPage : public CDialog {
 public:
  CListPrintFormatPage();

  // Made as a child of the set-up dialog; the values come from options.
  BOOL Create(CWnd* pParent, CListPrintOptions* pOptions);

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  CListPrintOptions* m_pOptions = nullptr;
  CFontListCombo m_HeaderFace;
  CFontListCombo m_FooterFace;
  CFontListCombo m_ContentFace;
};
