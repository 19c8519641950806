// CSpectrumArithmeticBar: the add/subtract bar of the main frame. It steps
// the operands A and B through the spectra of the active document, shifts
// the current spectrum (when it is an operand) point by point and scales it
// so that the two traces can be matched by eye, and adds or subtracts them
// into the result spectrum.
#pragma once

#include "controls/IconButton.h"
#include "controls/SelfInitDialogBar.h"
#include "framework/win/CommonControls.h"
#include "framework/win/Controls.h"
#include "resources/BrivaneRes.h"

class CBrivaneProDoc;

class CSpectrumArithmeticBar : public CSelfInitDialogBar {
 public:
  // pfnActiveDoc and pfnActiveView find the active document and view at
  // each step (null when there is none).
  typedef CBrivaneProDoc* (*PFNACTIVEDOC)();
  typedef CWnd* (*PFNACTIVEVIEW)();
  CSpectrumArithmeticBar(PFNACTIVEDOC pfnActiveDoc, PFNACTIVEVIEW pfnActiveView)
      : m_pfnActiveDoc(pfnActiveDoc), m_pfnActiveView(pfnActiveView) {}

  BOOL InitBarControls() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The bar for spectra of td floats drawn at fBaseScale: no shift, factor
  // 1.00.
  void Prepare(int td, float fBaseScale);
  // The factor of the operand that became current.
  void ShowFactor(LPCSTR pszFactor, int nScrollPos);

  // The shift bar's position after a scroll code: lines of 10 (not below 0,
  // not above nMax - nPage + 1), pages of td / 10; only a track moves the
  // thumb. The factor bar's: lines of 10, pages of a fiftieth of the range,
  // anything else to the thumb, within nMin ... nMax.
  static int ShiftPosition(int nCode, int nPos, int nTrack, int nMax, int nPage, int td);
  static int FactorPosition(int nCode, int nPos, int nTrack, int nMin, int nMax);

  float m_fBaseScale = 1.0f;  // the vertical scale of factor 1
  int m_nLowerLimit = 0;      // the factor range, in units of 1
  int m_nUpperLimit = 2;

 protected:
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
  void OnShiftDeltaPos(NMHDR* pNMHDR, LRESULT* pResult);
  void OnSelectA();
  void OnSelectB();
  void OnAdd();
  void OnSubtract();
  void OnFactorTwice();
  void OnFactorHalf();

 private:
  // The factor bar's range from the limits.
  void SetFactorRange();
  // A shift or a factor for the current spectrum, on its bar and edit too.
  void ApplyShift(int nShift);
  void ApplyFactor(double dFactor);
  int ThumbPosition(CScrollBar& bar, UINT nSBCode) const;

  PFNACTIVEDOC m_pfnActiveDoc;
  PFNACTIVEVIEW m_pfnActiveView;
  int m_td = 0;
  CIconButton m_SelectA, m_SelectB, m_Add, m_Subtract, m_Close;
  CScrollBar m_ShiftBar, m_FactorBar;
  CSpinButtonCtrl m_ShiftSpin;

  DECLARE_MESSAGE_MAP()
};
