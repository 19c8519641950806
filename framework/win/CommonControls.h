// Thin wrappers of the common controls (comctl32): one message per member.
#pragma once

#include "framework/win/Wnd.h"

class CImageList;

class CSliderCtrl : public CWnd {
  DECLARE_DYNAMIC(CSliderCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(TRACKBAR_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
  }
  int GetPos() const { return (int)SendMessage(TBM_GETPOS); }
  void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
  int GetRangeMin() const { return (int)SendMessage(TBM_GETRANGEMIN); }
  int GetRangeMax() const { return (int)SendMessage(TBM_GETRANGEMAX); }
  void GetRange(int& nMin, int& nMax) const {
    nMin = GetRangeMin();
    nMax = GetRangeMax();
  }
  void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE) {
    SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
    SendMessage(TBM_SETRANGEMAX, bRedraw, nMax);
  }
  void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMIN, bRedraw, nMin); }
  void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMAX, bRedraw, nMax); }
  int GetLineSize() const { return (int)SendMessage(TBM_GETLINESIZE); }
  int SetLineSize(int nSize) { return (int)SendMessage(TBM_SETLINESIZE, 0, nSize); }
  int GetPageSize() const { return (int)SendMessage(TBM_GETPAGESIZE); }
  int SetPageSize(int nSize) { return (int)SendMessage(TBM_SETPAGESIZE, 0, nSize); }
  void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, (WPARAM)nFreq); }
  BOOL SetTic(int nTic) { return (BOOL)SendMessage(TBM_SETTIC, 0, nTic); }
  void ClearTics(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARTICS, bRedraw); }
  void SetSelection(int nMin, int nMax) { SendMessage(TBM_SETSEL, TRUE, MAKELONG(nMin, nMax)); }
  void ClearSel(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARSEL, bRedraw); }
  void GetChannelRect(LPRECT lprc) const { SendMessage(TBM_GETCHANNELRECT, 0, (LPARAM)lprc); }
  void GetThumbRect(LPRECT lprc) const { SendMessage(TBM_GETTHUMBRECT, 0, (LPARAM)lprc); }
};

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(UPDOWN_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
  }
  int GetPos() const { return (int)SendMessage(UDM_GETPOS32); }
  int SetPos(int nPos) { return (int)SendMessage(UDM_SETPOS32, 0, nPos); }
  void SetRange(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, (WPARAM)nLower, nUpper); }
  void SetRange32(int nLower, int nUpper) { SetRange(nLower, nUpper); }
  void GetRange(int& nLower, int& nUpper) const { SendMessage(UDM_GETRANGE32, (WPARAM)&nLower, (LPARAM)&nUpper); }
  CWnd* SetBuddy(CWnd* pWndBuddy) { return FromHandle((HWND)SendMessage(UDM_SETBUDDY, (WPARAM)HwndOf(pWndBuddy))); }
  CWnd* GetBuddy() const { return FromHandle((HWND)SendMessage(UDM_GETBUDDY)); }
  int SetBase(int nBase) { return (int)SendMessage(UDM_SETBASE, (WPARAM)nBase); }
  BOOL SetAccel(int nAccel, UDACCEL* pAccel) { return (BOOL)SendMessage(UDM_SETACCEL, (WPARAM)nAccel, (LPARAM)pAccel); }
};

class CProgressCtrl : public CWnd {
  DECLARE_DYNAMIC(CProgressCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(PROGRESS_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
  }
  void SetRange(short nLower, short nUpper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
  void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, (WPARAM)nLower, nUpper); }
  int GetPos() const { return (int)SendMessage(PBM_GETPOS); }
  int SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, (WPARAM)nPos); }
  int OffsetPos(int nPos) { return (int)SendMessage(PBM_DELTAPOS, (WPARAM)nPos); }
  int SetStep(int nStep) { return (int)SendMessage(PBM_SETSTEP, (WPARAM)nStep); }
  int StepIt() { return (int)SendMessage(PBM_STEPIT); }
};

class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_TABCONTROLA, nullptr, dwStyle, rect, pParentWnd, nID);
  }
  int GetItemCount() const { return (int)SendMessage(TCM_GETITEMCOUNT); }
  BOOL GetItem(int nItem, TCITEMA* pTabCtrlItem) const {
    return (BOOL)SendMessage(TCM_GETITEMA, (WPARAM)nItem, (LPARAM)pTabCtrlItem);
  }
  BOOL SetItem(int nItem, TCITEMA* pTabCtrlItem) {
    return (BOOL)SendMessage(TCM_SETITEMA, (WPARAM)nItem, (LPARAM)pTabCtrlItem);
  }
  int InsertItem(int nItem, TCITEMA* pTabCtrlItem) {
    return (int)SendMessage(TCM_INSERTITEMA, (WPARAM)nItem, (LPARAM)pTabCtrlItem);
  }
  int InsertItem(int nItem, LPCSTR lpszItem);
  int InsertItem(int nItem, LPCSTR lpszItem, int nImage);
  BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(TCM_DELETEITEM, (WPARAM)nItem); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(TCM_DELETEALLITEMS); }
  int GetCurSel() const { return (int)SendMessage(TCM_GETCURSEL); }
  int SetCurSel(int nItem) { return (int)SendMessage(TCM_SETCURSEL, (WPARAM)nItem); }
  BOOL GetItemRect(int nItem, LPRECT lpRect) const {
    return (BOOL)SendMessage(TCM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect);
  }
  void AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
  int HitTest(TCHITTESTINFO* pHitTestInfo) const { return (int)SendMessage(TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }
  CImageList* SetImageList(CImageList* pImageList);
  CSize SetItemSize(CSize size) {
    DWORD old = (DWORD)SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(LOWORD(old), HIWORD(old));
  }
  int GetRowCount() const { return (int)SendMessage(TCM_GETROWCOUNT); }
  CWnd* GetToolTips() const { return FromHandle((HWND)SendMessage(TCM_GETTOOLTIPS)); }
};

class CHeaderCtrl : public CWnd {
  DECLARE_DYNAMIC(CHeaderCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_HEADERA, nullptr, dwStyle, rect, pParentWnd, nID);
  }
  int GetItemCount() const { return (int)SendMessage(HDM_GETITEMCOUNT); }
  BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const {
    return (BOOL)SendMessage(HDM_GETITEMA, (WPARAM)nPos, (LPARAM)pHeaderItem);
  }
  BOOL SetItem(int nPos, HDITEMA* pHeaderItem) {
    return (BOOL)SendMessage(HDM_SETITEMA, (WPARAM)nPos, (LPARAM)pHeaderItem);
  }
  int InsertItem(int nPos, HDITEMA* phdi) { return (int)SendMessage(HDM_INSERTITEMA, (WPARAM)nPos, (LPARAM)phdi); }
  BOOL DeleteItem(int nPos) { return (BOOL)SendMessage(HDM_DELETEITEM, (WPARAM)nPos); }
  BOOL GetItemRect(int nIndex, LPRECT lpRect) const {
    return (BOOL)SendMessage(HDM_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect);
  }
};

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_LISTVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
  }
  int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
  int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
  BOOL DeleteColumn(int nCol) { return (BOOL)SendMessage(LVM_DELETECOLUMN, (WPARAM)nCol); }
  int GetColumnWidth(int nCol) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, (WPARAM)nCol); }
  BOOL SetColumnWidth(int nCol, int cx) {
    return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, (WPARAM)nCol, MAKELPARAM(cx, 0));
  }
  int InsertItem(int nItem, LPCSTR lpszItem);
  int InsertItem(const LVITEMA* pItem) { return (int)SendMessage(LVM_INSERTITEMA, 0, (LPARAM)pItem); }
  BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(LVM_DELETEITEM, (WPARAM)nItem); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
  BOOL GetItem(LVITEMA* pItem) const { return (BOOL)SendMessage(LVM_GETITEMA, 0, (LPARAM)pItem); }
  BOOL SetItem(const LVITEMA* pItem) { return (BOOL)SendMessage(LVM_SETITEMA, 0, (LPARAM)pItem); }
  BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
  CString GetItemText(int nItem, int nSubItem) const;
  BOOL SetItemData(int nItem, DWORD_PTR dwData);
  DWORD_PTR GetItemData(int nItem) const;
  UINT GetItemState(int nItem, UINT nMask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, (WPARAM)nItem, nMask); }
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  BOOL GetCheck(int nItem) const { return ((GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1) != 0; }
  BOOL SetCheck(int nItem, BOOL fCheck = TRUE) {
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
  }
  int GetNextItem(int nItem, int nFlags) const {
    return (int)SendMessage(LVM_GETNEXTITEM, (WPARAM)nItem, MAKELPARAM(nFlags, 0));
  }
  UINT GetSelectedCount() const { return (UINT)SendMessage(LVM_GETSELECTEDCOUNT); }
  DWORD GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE); }
  DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }
  BOOL EnsureVisible(int nItem, BOOL bPartialOK) {
    return (BOOL)SendMessage(LVM_ENSUREVISIBLE, (WPARAM)nItem, bPartialOK);
  }
  BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
  int HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)SendMessage(LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
  int SubItemHitTest(LVHITTESTINFO* pInfo) { return (int)SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)pInfo); }
  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  CHeaderCtrl* GetHeaderCtrl() const;
  BOOL SetBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETBKCOLOR, 0, cr); }
  BOOL SetTextColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTCOLOR, 0, cr); }
  BOOL SetTextBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTBKCOLOR, 0, cr); }
};

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)
 public:
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
  // A tool for pWnd: the whole window (nIDTool 0) or the rectangle lpRectTool with id nIDTool.
  BOOL AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
  void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
  void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
  void Pop() { SendMessage(TTM_POP); }
  int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT); }
  int SetMaxTipWidth(int iWidth) { return (int)SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth); }
  void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
  void SetDelayTime(DWORD dwDuration, int iTime) { SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELONG(iTime, 0)); }
  void SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, clr); }
  void SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, clr); }
  void TrackActivate(BOOL bActivate, TOOLINFOA* pToolInfo) {
    SendMessage(TTM_TRACKACTIVATE, bActivate, (LPARAM)pToolInfo);
  }
  void TrackPosition(int xPos, int yPos) { SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(xPos, yPos)); }

 private:
  void FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};

class CAnimateCtrl : public CWnd {
  DECLARE_DYNAMIC(CAnimateCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(ANIMATE_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
  }
  BOOL Open(LPCSTR lpszFileName) { return (BOOL)SendMessage(ACM_OPENA, 0, (LPARAM)lpszFileName); }
  BOOL Open(UINT nID) { return (BOOL)SendMessage(ACM_OPENA, 0, (LPARAM)MAKEINTRESOURCEA(nID)); }
  BOOL Play(UINT nFrom, UINT nTo, UINT nRep) { return (BOOL)SendMessage(ACM_PLAY, nRep, MAKELONG(nFrom, nTo)); }
  BOOL Stop() { return (BOOL)SendMessage(ACM_STOP); }
  BOOL Close() { return (BOOL)SendMessage(ACM_OPENA); }
  BOOL Seek(UINT nTo) { return (BOOL)SendMessage(ACM_PLAY, 1, MAKELONG(nTo, nTo)); }
};

// A combo box whose items carry an image of an image list (ComboBoxEx32).
class CComboBoxEx : public CWnd {
  DECLARE_DYNAMIC(CComboBoxEx)
 public:
  CImageList* SetImageList(CImageList* pImageList);
  int InsertItem(const COMBOBOXEXITEMA* pItem) { return (int)SendMessage(CBEM_INSERTITEMA, 0, (LPARAM)pItem); }
  // An item with its text and image (selected image the same), at nIndex (-1 the end).
  int InsertItem(int nIndex, LPCSTR lpszText, int nImage);
  int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
  int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
  int SetCurSel(int nSelect) { return (int)SendMessage(CB_SETCURSEL, (WPARAM)nSelect); }
};
