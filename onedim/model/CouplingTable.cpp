#include "onedim/model/CouplingTable.h"

#include <cmath>

#include "onedim/model/AxisScale.h"
#include "onedim/model/MeasureJ.h"
#include "onedim/model/Spectrum.h"

namespace {

CMeasureJ* Measure(const CSpectrum& s, int m) {
  return static_cast<CMeasureJ*>(s.m_arrCouplings.GetAt(m));
}

// Measurement and partner of a row; FALSE past the end.
BOOL Locate(const CSpectrum& s, int nRow, int& nMeasure, int& nPartner) {
  if (nRow < 0)
    return FALSE;
  for (int m = 0; m < s.m_arrCouplings.GetSize(); m++) {
    const int nPartners = Measure(s, m)->m_arrPartners.GetSize();
    if (nRow < nPartners) {
      nMeasure = m;
      nPartner = nRow;
      return TRUE;
    }
    nRow -= nPartners;
  }
  return FALSE;
}

}  // namespace

int GetCouplingRowCount(const CSpectrum& spectrum) {
  int nRows = 0;
  for (int m = 0; m < spectrum.m_arrCouplings.GetSize(); m++)
    nRows += Measure(spectrum, m)->m_arrPartners.GetSize();
  return nRows;
}

BOOL GetCouplingRow(const CSpectrum& spectrum, int nRow, CCouplingRow& row) {
  if (!Locate(spectrum, nRow, row.nMeasure, row.nPartner))
    return FALSE;
  const CMeasureJ& measure = *Measure(spectrum, row.nMeasure);
  row.dShift1 = spectrum.ConvertUnits(measure.m_nReference, AXIS_UNITS_HZ);
  row.dShift2 = spectrum.ConvertUnits(measure.m_arrPartners[row.nPartner], AXIS_UNITS_HZ);
  row.dJ = std::fabs(row.dShift2 - row.dShift1);
  return TRUE;
}

BOOL SetCouplingShown(CSpectrum& spectrum, int nRow, BOOL bShown) {
  int m = 0, k = 0;
  if (!Locate(spectrum, nRow, m, k))
    return FALSE;
  CMeasureJ& measure = *Measure(spectrum, m);
  // The flags follow the partners; a measurement read back may lack them.
  if (measure.m_arrShown.GetSize() <= k)
    measure.m_arrShown.SetSize(measure.m_arrPartners.GetSize());
  measure.m_arrShown[k] = bShown ? 1 : 0;
  return TRUE;
}

BOOL IsCouplingShown(const CSpectrum& spectrum, int nRow) {
  int m = 0, k = 0;
  if (!Locate(spectrum, nRow, m, k))
    return FALSE;
  const CMeasureJ& measure = *Measure(spectrum, m);
  return k < measure.m_arrShown.GetSize() && measure.m_arrShown[k] != 0;
}

BOOL DeleteCouplingRow(CSpectrum& spectrum, int nRow) {
  int m = 0, k = 0;
  if (!Locate(spectrum, nRow, m, k))
    return FALSE;
  CMeasureJ* pMeasure = Measure(spectrum, m);
  pMeasure->m_arrPartners.RemoveAt(k);
  if (k < pMeasure->m_arrShown.GetSize())
    pMeasure->m_arrShown.RemoveAt(k);
  if (pMeasure->m_arrPartners.GetSize() == 0) {
    spectrum.m_arrCouplings.RemoveAt(m);
    if (spectrum.m_pCurrentJ == pMeasure)
      spectrum.m_pCurrentJ = nullptr;
    delete pMeasure;
  }
  return TRUE;
}

CString CouplingClipboardText(const CSpectrum& spectrum) {
  CString text("Shift 1\tShift 2\tJ(1-2)");
  CCouplingRow row;
  for (int r = 0; GetCouplingRow(spectrum, r, row); r++) {
    CString line;
    line.Format("\r\n%.3lf\t%.3lf\t%.3lf\t", row.dShift1, row.dShift2, row.dJ);
    text += line;
  }
  return text;
}
