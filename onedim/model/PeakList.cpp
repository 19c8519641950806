#include "onedim/model/PeakList.h"

#include <cmath>

#include "onedim/model/AxisScale.h"
#include "onedim/model/PeakPicking.h"
#include "onedim/model/Spectrum.h"

namespace {

const CPeakPicking* Record(const CSpectrum& s, int r) {
  return static_cast<const CPeakPicking*>(s.m_arrPeaks.GetAt(r));
}

bool IsRegion(const CPeakPicking& record) {
  return record.m_nStart != -1;
}

int RowsBefore(const CPeakPicking& record) {
  return IsRegion(record) ? 2 : 0;
}

double Percent(const CSpectrum& s, double dValue) {
  const float fLargest = s.GetLargestValue();
  return fLargest != 0.0f ? 100.0 * dValue / fLargest : 0.0;
}

// Record and row within it of a list row; FALSE past the end.
BOOL Locate(const CSpectrum& s, int nRow, int& nRecord, int& nInRecord) {
  if (nRow < 0)
    return FALSE;
  for (int r = 0; r < (int)s.m_arrPeaks.GetSize(); r++) {
    const CPeakPicking& record = *Record(s, r);
    const int nRows = RowsBefore(record) + record.GetCount();
    if (nRow < nRows) {
      nRecord = r;
      nInRecord = nRow;
      return TRUE;
    }
    nRow -= nRows;
  }
  return FALSE;
}

CString Number(LPCSTR pszFormat, double dValue) {
  CString text;
  text.Format(pszFormat, dValue);
  return text;
}

CString Integer(int n) {
  CString text;
  text.Format("%d", n);
  return text;
}

}  // namespace

int GetPeakListRowCount(const CSpectrum& spectrum) {
  int nRows = 0;
  for (int r = 0; r < (int)spectrum.m_arrPeaks.GetSize(); r++)
    nRows += RowsBefore(*Record(spectrum, r)) + Record(spectrum, r)->GetCount();
  return nRows;
}

BOOL GetPeakListRow(const CSpectrum& s, int nRow, CPeakListRow& row) {
  int r = 0, k = 0;
  if (!Locate(s, nRow, r, k))
    return FALSE;
  const CPeakPicking& record = *Record(s, r);
  row.nRecord = r;
  k -= RowsBefore(record);
  if (k < 0) {
    const bool bFrom = k == -2;
    const int nIndex = bFrom ? record.m_nStart : record.m_nEnd;
    row.kind = bFrom ? CPeakListRow::From : CPeakListRow::To;
    row.nPoint = -1;
    row.strCells[0] = bFrom ? "FROM" : "TO";
    row.strCells[1] = Integer(nIndex);
    row.strCells[2] = Number("%.3lf", s.ConvertUnits(nIndex, AXIS_UNITS_PPM));
    row.strCells[3] = Number("%.3lf", s.ConvertUnits(nIndex, AXIS_UNITS_HZ));
    row.strCells[4] = bFrom ? CString("Threshold") : Number("%.3f", Percent(s, record.m_fThreshold));
    return TRUE;
  }
  const int nIndex = record.m_arrPoints.GetAt(k);
  double p = 0.0, h = 0.0;
  GetPeakValues(s, nIndex, p, h);
  row.kind = CPeakListRow::Peak;
  row.nPoint = k;
  row.strCells[0] = IsRegion(record) ? Integer(k + 1) : CString("Manual");
  row.strCells[1] = Integer(nIndex);
  row.strCells[2] = Number("%.3lf", s.ConvertUnits(2.0 * p, AXIS_UNITS_PPM));
  row.strCells[3] = Number("%.3lf", s.ConvertUnits(2.0 * p, AXIS_UNITS_HZ));
  row.strCells[4] = Number("%.3lf", Percent(s, h));
  return TRUE;
}

BOOL PeakOfRow(const CSpectrum& s, int nRow, int& nRecord, int& nPoint) {
  int r = 0, k = 0;
  if (!Locate(s, nRow, r, k) || k < RowsBefore(*Record(s, r)))
    return FALSE;
  nRecord = r;
  nPoint = k - RowsBefore(*Record(s, r));
  return TRUE;
}

void DeletePeak(CSpectrum& s, int nRecord, int nPoint) {
  if (nRecord < 0 || nRecord >= (int)s.m_arrPeaks.GetSize())
    return;
  CPeakPicking* pRecord = static_cast<CPeakPicking*>(s.m_arrPeaks.GetAt(nRecord));
  if (nPoint < 0 || nPoint >= pRecord->GetCount())
    return;
  pRecord->m_arrPoints.RemoveAt(nPoint);
  if (pRecord->GetCount() > 0)
    return;
  s.m_arrPeaks.RemoveAt(nRecord);
  if (s.m_pCurrentPeaks == pRecord)
    s.m_pCurrentPeaks = nullptr;
  delete pRecord;
}

void DeleteAllPeaks(CSpectrum& s) {
  for (int r = 0; r < (int)s.m_arrPeaks.GetSize(); r++)
    delete static_cast<CPeakPicking*>(s.m_arrPeaks.GetAt(r));
  s.m_arrPeaks.RemoveAll();
  s.m_pCurrentPeaks = nullptr;
}

CString PeakListClipboardText(const CSpectrum& s) {
  CString text = "\tPoint\tppm\tHz\t\tHeight";
  for (int r = 0; r < (int)s.m_arrPeaks.GetSize(); r++) {
    const CPeakPicking& record = *Record(s, r);
    text += "\r\n";
    CString line;
    if (IsRegion(record)) {
      line.Format(
          "\t----------------------------------------\r\n*FROM*\t%d\t%.3lf\t%.3lf\t\r\n*TO*\t%d\t%.3lf\t%.3lf\t"
          "\r\n\t----------------------------------------",
          record.m_nStart, s.ConvertUnits(record.m_nStart, AXIS_UNITS_PPM),
          s.ConvertUnits(record.m_nStart, AXIS_UNITS_HZ), record.m_nEnd, s.ConvertUnits(record.m_nEnd, AXIS_UNITS_PPM),
          s.ConvertUnits(record.m_nEnd, AXIS_UNITS_HZ));
      text += line;
    }
    for (int k = 0; k < record.GetCount(); k++) {
      const int nIndex = record.m_arrPoints.GetAt(k);
      double p = 0.0, h = 0.0;
      GetPeakValues(s, nIndex, p, h);
      text += IsRegion(record) ? "\r\n" + Integer(k + 1) + "\t" : CString("\r\nManual\t");
      line.Format("%d\t%.3lf\t%.3lf\t%.3lf\t", nIndex, s.ConvertUnits(2.0 * p, AXIS_UNITS_PPM),
                  s.ConvertUnits(2.0 * p, AXIS_UNITS_HZ), Percent(s, h));
      text += line;
    }
  }
  return text;
}

CString PeakExportText(const CSpectrum& s, int nDecimals, BOOL bPeriods) {
  CString text;
  for (int r = 0; r < (int)s.m_arrPeaks.GetSize(); r++) {
    const CPeakPicking& record = *Record(s, r);
    for (int k = 0; k < record.GetCount(); k++) {
      CString value;
      value.Format("%.5lf; ", s.ConvertUnits(record.m_arrPoints.GetAt(k), AXIS_UNITS_PPM));
      const int nPoint = value.Find('.');
      CString digits = nPoint >= 0 ? value.Mid(nPoint + 1, nDecimals < 0 ? 0 : nDecimals) : CString();
      text += (nPoint >= 0 ? value.Left(nPoint) : value) + (bPeriods ? "." : ",") + digits + (bPeriods ? ", " : "; ");
    }
  }
  return text;
}

BOOL GetPeakInformation(const CSpectrum& s, int nFloatIndex, CPeakInformation& info) {
  const int td = s.m_pData != nullptr ? s.m_paramsA.td : 0;
  if (td < 2 || nFloatIndex < 0 || nFloatIndex >= td || s.m_paramsA.sw == 0.0)
    return FALSE;
  double p = nFloatIndex / 2, h = 0.0, w = 0.0;
  peakwidth(s.m_pData, td / 2, p, h, w);
  const double dr = s.m_paramsA.sw / (td / 2);
  info.dHz = s.ConvertUnits(2.0 * p, AXIS_UNITS_HZ);
  info.dPpm = s.ConvertUnits(2.0 * p, AXIS_UNITS_PPM);
  info.dWidthHz = w * dr;
  info.dResolution = dr;
  info.dPointsPerWidth = info.dWidthHz * (td / 2) / s.m_paramsA.sw;
  double dNoise = 0.0;
  info.dSignalToNoise = 0.0;
  s.GetSignalToNoise((int)std::floor(2.0 * p) & ~1, info.dSignalToNoise, dNoise);
  return TRUE;
}
