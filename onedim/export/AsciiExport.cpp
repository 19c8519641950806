#include "onedim/export/AsciiExport.h"

#include <algorithm>
#include <cstdio>

#include "framework/base/FileReplace.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"

namespace {

LPCSTR UnitsName(int nUnits) {
  switch (nUnits) {
    case AXIS_UNITS_SECONDS:
      return "Seconds";
    case AXIS_UNITS_HZ:
      return "Hertz";
    case AXIS_UNITS_PPM:
      return "ppm";
    default:
      return "Points";
  }
}

}  // namespace

void WriteAsciiExport(CFile& file, const CSpectrum& spectrum, const CAsciiExportOptions& options) {
  const CSpectrumParams& p = spectrum.m_paramsA;
  CString header = "============\nBrivane\n============\n";
  CString line;
  if (options.bTitle) {
    line.Format("Title:%s\n", (LPCSTR)p.title);
    header += line;
  }
  line.Format("Spectrometer Frequency =\t%.4lf\nSweep Width =\t%.4lf\nTime domain=\t%d\nUnits=\t%s\n", p.sf, p.sw,
              p.td, UnitsName(options.nUnits));
  header += line;
  header += options.bComplex ? "Complex Data Points Output\n" : "Real Data Points Output\n";
  header += "=====================================================\n";
  file.Write((LPCSTR)header, (UINT)header.GetLength());

  const float* pData = spectrum.m_pData;
  const int td = pData != nullptr ? p.td : 0;
  // Point numbers are whole; the other units keep three decimals.
  const BOOL bPoints = options.nUnits == AXIS_UNITS_POINTS;
  const int nEnd = options.bComplex ? td - 1 : td;
  char text[1200];
  for (int i = 0; i < nEnd; i += 2) {
    double x = spectrum.ConvertUnits(i, options.nUnits);
    int n;
    if (options.bComplex)
      n = std::snprintf(text, sizeof text, bPoints ? "%.0lf\t%.4lf\t%.4lf\n" : "%.3lf\t%.4lf\t%.4lf\n", x,
                        (double)pData[i], (double)pData[i + 1]);
    else
      n = std::snprintf(text, sizeof text, bPoints ? "%.0lf\t%.4lf\n" : "%.3lf\t%.4lf\n", x, (double)pData[i]);
    file.Write(text, (UINT)std::min<int>(n, (int)sizeof text - 1));
  }
}

BOOL ExportAscii(const CSpectrum& spectrum, CAsciiExportPrompts& prompts) {
  CString strPath;
  if (!prompts.AskPath(strPath))
    return FALSE;
  CAsciiExportOptions options;
  options.nUnits = spectrum.m_Scale.m_nUnits;
  if (!prompts.AskOptions(options))
    return FALSE;

  CString strReason;
  switch (ReplaceFileContents(
      strPath, CFile::typeText, [&](CFile& file) { WriteAsciiExport(file, spectrum, options); }, strReason)) {
    case fileReplaced:
      return TRUE;
    case fileNotWritten:
      prompts.ShowError("Error writing file");
      return FALSE;
    default:
      // No file could be made there, or the one there may not be replaced.
      prompts.ShowError("Error opening file");
      return FALSE;
  }
}
