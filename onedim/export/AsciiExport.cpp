#include "onedim/export/AsciiExport.h"

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

BOOL WriteAsciiExport(std::FILE* pFile, const CSpectrum& spectrum, const CAsciiExportOptions& options) {
  const CSpectrumParams& p = spectrum.m_paramsA;
  std::fputs("============\n", pFile);
  std::fputs("Brivane\n", pFile);
  std::fputs("============\n", pFile);
  if (options.bTitle)
    std::fprintf(pFile, "Title:%s\n", (LPCSTR)p.title);
  std::fprintf(pFile, "Spectrometer Frequency =\t%.4lf\n", p.sf);
  std::fprintf(pFile, "Sweep Width =\t%.4lf\n", p.sw);
  std::fprintf(pFile, "Time domain=\t%d\n", p.td);
  std::fprintf(pFile, "Units=\t%s\n", UnitsName(options.nUnits));
  std::fputs(options.bComplex ? "Complex Data Points Output\n" : "Real Data Points Output\n", pFile);
  std::fputs("=====================================================\n", pFile);

  const float* pData = spectrum.m_pData;
  const int td = pData != nullptr ? p.td : 0;
  // Point numbers are whole; the other units keep three decimals.
  const BOOL bPoints = options.nUnits == AXIS_UNITS_POINTS;
  const int nEnd = options.bComplex ? td - 1 : td;
  for (int i = 0; i < nEnd; i += 2) {
    double x = spectrum.ConvertUnits(i, options.nUnits);
    if (options.bComplex)
      std::fprintf(pFile, bPoints ? "%.0lf\t%.4lf\t%.4lf\n" : "%.3lf\t%.4lf\t%.4lf\n", x, (double)pData[i],
                   (double)pData[i + 1]);
    else
      std::fprintf(pFile, bPoints ? "%.0lf\t%.4lf\n" : "%.3lf\t%.4lf\n", x, (double)pData[i]);
    if (std::ferror(pFile))
      return FALSE;
  }
  return !std::ferror(pFile);
}

BOOL ExportAscii(const CSpectrum& spectrum, CAsciiExportPrompts& prompts) {
  CString strPath;
  if (!prompts.AskPath(strPath))
    return FALSE;
  CAsciiExportOptions options;
  options.nUnits = spectrum.m_Scale.m_nUnits;
  if (!prompts.AskOptions(options))
    return FALSE;

  std::FILE* pFile = std::fopen(strPath, "w");
  if (pFile == nullptr) {
    prompts.ShowError("Error opening file");
    return FALSE;
  }
  BOOL bWritten = WriteAsciiExport(pFile, spectrum, options);
  if (std::fclose(pFile) != 0)
    bWritten = FALSE;
  if (!bWritten) {
    std::remove(strPath);
    prompts.ShowError("Error writing file");
    return FALSE;
  }
  return TRUE;
}
