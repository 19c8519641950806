// The "Margins" tab of the list print set-up: the four page margins in
// millimetres, each an edit with arrows.
#pragma once

#include "framework/win/Dialog.h"

struct CListPrintOptions;

class CListPrintMarginsPage : public CDialog {
 public:
  CListPrintMarginsPage();

  // Made as a child of the set-up dialog; the values come from options.
  BOOL Create(CWnd* pParent, CListPrintOptions* pOptions);

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  CListPrintOptions* m_pOptions = nullptr;
};
