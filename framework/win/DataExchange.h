// Dialog data exchange: DoDataExchange lists one DDX_ call per control (and
// DDV_ calls to validate the value just read); UpdateData runs it in one
// direction. A refused value shows its message, focuses the control and
// ends the exchange through CDataExchange::Fail.
#pragma once

#include "framework/base/String.h"
#include "framework/win/Win32.h"

class CWnd;

// Thrown by Fail; UpdateData catches it.
struct CDataExchangeFailure {};

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

  // The control nIDC of the dialog, remembered as the one a later DDV_ refers to.
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Focuses the last control (its text selected) and ends the exchange.
  [[noreturn]] void Fail();

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl = nullptr;
  BOOL m_bEditLastControl = FALSE;
};

// Edit fields as numbers or text.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);

// Check box state (0, 1, 2); radio group starting at nIDC: index of the checked button, -1 none.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// List and combo boxes: selected index, or selected text (String: first
// item starting with the text; StringExact: the whole text).
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);

// Binds the control object to the dialog item the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Range checks of the value the previous DDX_ read (on saving only).
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, float value, float minVal, float maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal);
// The text's length; on loading it limits the edit field.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
