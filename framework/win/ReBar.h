// CReBar: a bar of bands over the system's rebar control, each band holding
// another bar (a dialog bar, a toolbar). It sits along the frame's top, as
// tall as its bands.
#pragma once

#include "framework/win/ControlBar.h"

class CBitmap;

class CReBar : public CControlBar {
  DECLARE_DYNAMIC(CReBar)
 public:
  CReBar() = default;

  BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
              DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
              UINT nID = AFX_IDW_REBAR);
  // A band holding pBar, with a label and a background bitmap.
  BOOL AddBar(CWnd* pBar, LPCSTR pszText = nullptr, CBitmap* pbmp = nullptr,
              DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
  BOOL AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCSTR pszText = nullptr,
              DWORD dwStyle = RBBS_GRIPPERALWAYS);
  int GetBandCount() const { return (int)SendMessage(RB_GETBANDCOUNT); }

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  // The bands' bars update themselves.
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

 protected:
  BOOL AddBand(CWnd* pBar, REBARBANDINFOA& info);
  void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()
};
