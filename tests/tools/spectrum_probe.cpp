// spectrum_probe: runs the 1D document's import dispatcher on one file and
// prints what it read, one line per fact, so that tests of the importers and
// of the native file can compare runs. Not part of either program.
//
//   spectrum_probe import TYPE PATH
//   spectrum_probe save TYPE PATH OUT    (imports, then saves a .bvx at OUT)
//   spectrum_probe simulate SF N:SHIFT... J=A,B,VALUE...
//   spectrum_probe process TYPE PATH OUT STEP...
//
// Output: "spectra N", then per spectrum i "spectrum i ...", "title i ...",
// "data i ...", "peak i ...", then "history <line>" for every history line of
// the import. A missing-parameter question is answered "Set values" with
// the values as read, and each key asked about is printed first as
// "missing <key>". A failure prints "error <reason>" and exits with status 1.
//
// simulate calculates one spin system at SF MHz: groups of N equivalent
// spins at SHIFT Hz, numbered from 0 in the order given, and couplings in Hz
// between groups A and B. It prints "line f=... i=..." for every line above
// the default threshold, by frequency (equal ones by intensity), then
// "lines N".
//
// process imports PATH, runs the steps in order on every spectrum through
// the document's Process commands, prints the result as import does and
// writes OUT with one line "x re im" per complex point of spectrum 0, x in
// ppm after a forward transform and in seconds before. Steps: ft (the
// Fourier Transform dialog's initial values, no autophase), ift, zf=N
// (floats), em=LB (exponential, Hz), gm=LB,GB (Lorentz-Gauss), magnitude,
// autophase (Autophase Correction), phase=P0,P1 (the applied zero- and
// first-order phases in degrees, about point 0), pick (region picking over the whole spectrum at 5 percent of its
// largest magnitude; pick=P at P percent), integrate=A:B[,C:D...] (integral regions between ppm values), baseline
// (Auto-Fit Polynomial Baseline Correction with the dialog's first order, a straight line, through the two points
// the command starts with: the ends of the trace) and ist (Iterated Soft Thresholding with the dialog's defaults:
// 20 passes, zero filling to twice td, the threshold 5 pixels above the zero line). For process the spectra lie in a
// view of 800 x 600 pixels, drawn as the program draws them. After the spectrum's lines come "peaklist i n=N ppm=...
// height=..." for every peak in list order and "integral i from=... to=... value=..." (ppm, sum) for every integral.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "framework/base/Exception.h"
#include "onedim/document/ApodizeSession.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/import/MissingParameters.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Integral.h"
#include "onedim/model/PeakPicking.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/WindowFunction.h"
#include "onedim/processing/FourierTransformStep.h"
#include "onedim/processing/NumericalRoutines.h"
#include "onedim/simulation/CompositeSpinSystem.h"
#include "onedim/simulation/SpinGroup.h"
#include "onedim/simulation/SpinHamiltonian.h"
#include "onedim/simulation/SpinSystem.h"

namespace {

// A host without windows: no view, settings in memory, message boxes kept
// so that a failed save can print its reason.
class CProbeHost : public CDocumentHost {
 public:
  static constexpr RECT kView = {0, 0, 800, 600};

  CBrivaneAppState& GetAppState() override { return m_app; }
  BOOL GetViewClientRect(RECT* pRect) override {
    *pRect = m_bHasView ? kView : RECT();
    return m_bHasView;
  }
  CSettingsStore& GetSettings() override { return m_settings; }
  int ShowMessage(LPCSTR pszText, UINT) override {
    m_strLastMessage = pszText;
    return IDOK;
  }

  CBrivaneAppState m_app;
  CMemorySettings m_settings;
  CString m_strLastMessage;
  BOOL m_bHasView = FALSE;
};

// What the view does to every spectrum before it draws it: the tools that
// work in pixels find the spectra as the program shows them.
void Draw(CBrivaneProDoc& doc) {
  for (int i = 0; i < doc.GetSpectrumCount(); i++) {
    CSpectrum* s = doc.GetSpectrumAt(i);
    s->m_Scale.m_rectClient = CProbeHost::kView;
    s->UpdateDisplayData();
  }
}

// Answers every missing-parameter question with "Set values", keeping the
// values read, and remembers the keys of every question in order.
class CProbeMissingParameters : public CScriptedMissingParameters {
 public:
  BOOL ShowImportErrors(const CStringList& lines, const CMapStringToString& missing) override {
    CString key, description;
    for (POSITION pos = missing.GetStartPosition(); pos != nullptr;) {
      missing.GetNextAssoc(pos, key, description);
      m_asked.push_back((LPCSTR)key);
    }
    return CScriptedMissingParameters::ShowImportErrors(lines, missing);
  }
  std::vector<std::string> m_asked;
};

// One line of text: carriage returns and line feeds written as \r and \n.
std::string OneLine(LPCSTR psz) {
  std::string s;
  for (; psz != nullptr && *psz != '\0'; psz++) {
    if (*psz == '\r')
      s += "\\r";
    else if (*psz == '\n')
      s += "\\n";
    else
      s += *psz;
  }
  return s;
}

void PrintSpectrum(int i, const CSpectrum* s) {
  const CSpectrumParams& p = s->m_paramsA;
  std::printf("spectrum %d td=%d sw=%.6f sf=%.9f offset=%.6f aqmode=%d complex=%d conjugate=%d decim=%d dspfvs=%d\n", i,
              p.td, p.sw, p.sf, p.offset, p.aqmode, p.bComplex ? 1 : 0, p.bConjugate ? 1 : 0, p.DECIM, p.DSPFVS);
  std::printf("title %d %s\n", i, OneLine(p.title).c_str());
  int td = s->m_pData != nullptr && p.td > 0 ? p.td : 0;
  std::printf("data %d", i);
  for (int k = 0; k < td && k < 8; k++)
    std::printf(" %.6g", (double)s->m_pData[k]);
  std::printf("\n");
  int nPeak = 0;
  for (int k = 1; k < td; k++)
    if (std::fabs(s->m_pData[k]) > std::fabs(s->m_pData[nPeak]))
      nPeak = k;
  std::printf("peak %d index=%d value=%.6g\n", i, nPeak, td > 0 ? (double)s->m_pData[nPeak] : 0.0);
  int n = 0;
  for (INT_PTR r = 0; r < s->m_arrPeaks.GetSize(); r++) {
    const CPeakPicking* pRecord = static_cast<const CPeakPicking*>(s->m_arrPeaks.GetAt(r));
    for (int k = 0; k < pRecord->GetCount(); k++) {
      double dPosition = 0.0, dHeight = 0.0;
      GetPeakValues(*s, pRecord->m_arrPoints.GetAt(k), dPosition, dHeight);
      std::printf("peaklist %d n=%d ppm=%.6f height=%.6g\n", i, n++, s->ConvertUnits(2.0 * dPosition, AXIS_UNITS_PPM),
                  dHeight);
    }
  }
  for (INT_PTR k = 0; k < s->m_arrIntegrals.GetSize(); k++) {
    CIntegral* pIntegral = static_cast<CIntegral*>(s->m_arrIntegrals.GetAt(k));
    BOOL bAllocated = FALSE;
    const double dValue = pIntegral->ComputeCurve(1.0, 1.0, 0, 0, bAllocated);
    std::printf("integral %d from=%.6f to=%.6f value=%.9g\n", i, s->ConvertUnits(pIntegral->m_nStart, AXIS_UNITS_PPM),
                s->ConvertUnits(pIntegral->m_nEnd, AXIS_UNITS_PPM), dValue);
  }
}

int Fail(LPCSTR pszReason) {
  std::printf("error %s\n", OneLine(pszReason).c_str());
  return 1;
}

int Usage() {
  std::fprintf(stderr,
               "usage: spectrum_probe import TYPE PATH\n       spectrum_probe save TYPE PATH OUT\n"
               "       spectrum_probe simulate SF N:SHIFT... J=A,B,VALUE...\n"
               "       spectrum_probe process TYPE PATH OUT STEP...\n");
  return 2;
}

// A whole argument read as a number; strtod's own words for NaN and
// infinity are numbers too, for the engine to judge.
bool ParseDouble(const char* psz, double* pValue) {
  char* pEnd = nullptr;
  *pValue = std::strtod(psz, &pEnd);
  return pEnd != psz && *pEnd == '\0';
}

bool ParseInt(const std::string& text, int* pValue) {
  char* pEnd = nullptr;
  const long n = std::strtol(text.c_str(), &pEnd, 10);
  if (text.empty() || *pEnd != '\0' || n < -1000000 || n > 1000000)
    return false;
  *pValue = (int)n;
  return true;
}

struct ProbeCoupling {
  int a, b;
  double value;
};

// "J=A,B,VALUE"
bool ParseCoupling(const char* psz, ProbeCoupling* pCoupling) {
  const std::string text = psz + 2;
  const size_t c1 = text.find(','), c2 = text.find(',', c1 == std::string::npos ? c1 : c1 + 1);
  return c1 != std::string::npos && c2 != std::string::npos && ParseInt(text.substr(0, c1), &pCoupling->a) &&
         ParseInt(text.substr(c1 + 1, c2 - c1 - 1), &pCoupling->b) &&
         ParseDouble(text.c_str() + c2 + 1, &pCoupling->value);
}

// The engine's reports become the probe's error line.
std::string g_strEngineReport;

int Simulate(int argc, char** argv) {
  double sf = 0.0;
  if (argc < 3 || !ParseDouble(argv[2], &sf) || !std::isfinite(sf) || sf <= 0.0)
    return Fail("bad spectrometer frequency");
  std::vector<int> spins;
  std::vector<double> shifts;
  std::vector<ProbeCoupling> couplings;
  for (int k = 3; k < argc; k++) {
    const char* arg = argv[k];
    if (std::strncmp(arg, "J=", 2) == 0) {
      ProbeCoupling c;
      if (!ParseCoupling(arg, &c))
        return Fail((std::string("bad coupling ") + arg).c_str());
      couplings.push_back(c);
      continue;
    }
    const char* colon = std::strchr(arg, ':');
    int n = 0;
    double shift = 0.0;
    if (colon == nullptr || !ParseInt(std::string(arg, colon), &n) || !ParseDouble(colon + 1, &shift))
      return Fail((std::string("bad group ") + arg).c_str());
    spins.push_back(n);
    shifts.push_back(shift);
  }
  const int nGroups = (int)spins.size();
  if (nGroups == 0)
    return Fail("no groups");
  for (const ProbeCoupling& c : couplings)
    if (c.a < 0 || c.b < 0 || c.a >= nGroups || c.b >= nGroups || c.a == c.b)
      return Fail("bad coupling between groups");

  std::vector<CSpinGroup> groups(nGroups);
  for (int g = 0; g < nGroups; g++)
    groups[g].Set(spins[g], shifts[g]);
  double** ppCoupling = dmatrix(0, nGroups - 1, 0, nGroups - 1);
  if (ppCoupling == nullptr)
    return Fail("out of memory");
  for (const ProbeCoupling& c : couplings)
    ppCoupling[std::min(c.a, c.b)][std::max(c.a, c.b)] = c.value;
  SetReportErrorHook([](LPCSTR pszText, UINT) {
    if (g_strEngineReport.empty())
      g_strEngineReport = pszText;
    return IDOK;
  });
  CCompositeSpinSystem system;
  const bool bDone = system.Build(groups.data(), ppCoupling, nGroups) && system.Calculate();
  free_dmatrix(ppCoupling, 0, nGroups - 1, 0, nGroups - 1);
  if (!bDone)
    return Fail(g_strEngineReport.empty() ? "simulation failed" : g_strEngineReport.c_str());

  // Sorted by the frequency as printed, so that lines that print alike are
  // ordered by intensity.
  const double threshold = CSpinSystem().m_dThreshold;
  std::vector<std::pair<double, double>> lines;
  char text[400];  // the longest a double prints with %.6f
  for (int c = 0; c < system.GetCombinationCount(); c++) {
    const CSpinHamiltonian& h = system.GetCombination(c);
    for (int t = 0; t < h.GetTransitionCount(); t++)
      if (h.GetIntensities()[t] > threshold) {
        std::snprintf(text, sizeof(text), "%.6f", h.GetFrequencies()[t]);
        lines.push_back(std::make_pair(std::strtod(text, nullptr), h.GetIntensities()[t]));
      }
  }
  std::sort(lines.begin(), lines.end());
  for (const std::pair<double, double>& line : lines)
    std::printf("line f=%.6f i=%.9g\n", line.first, line.second);
  std::printf("lines %d\n", (int)lines.size());
  return 0;
}

struct ProcessStep {
  enum Kind {
    Ft,
    Ift,
    ZeroFill,
    Exponential,
    LorentzGauss,
    Magnitude,
    Pick,
    Integrate,
    Autophase,
    Phase,
    Baseline,
    Ist
  } kind;
  int nPoints;
  float fLB, fGB;                                  // also the two phases of phase=
  std::vector<std::pair<double, double>> regions;  // ppm
};

bool ParseFloat(const std::string& text, float* pValue) {
  double d = 0.0;
  if (!ParseDouble(text.c_str(), &d) || !std::isfinite(d))
    return false;
  *pValue = (float)d;
  return true;
}

bool ParseStep(const std::string& text, ProcessStep* pStep) {
  *pStep = ProcessStep{ProcessStep::Ft, 0, 0.0f, 0.0f, {}};
  if (text == "ft")
    return true;
  if (text == "ift")
    return pStep->kind = ProcessStep::Ift, true;
  if (text == "magnitude")
    return pStep->kind = ProcessStep::Magnitude, true;
  if (text == "autophase")
    return pStep->kind = ProcessStep::Autophase, true;
  if (text == "baseline")
    return pStep->kind = ProcessStep::Baseline, true;
  if (text == "ist")
    return pStep->kind = ProcessStep::Ist, true;
  if (text.compare(0, 3, "zf=") == 0)
    return pStep->kind = ProcessStep::ZeroFill, ParseInt(text.substr(3), &pStep->nPoints);
  if (text.compare(0, 3, "em=") == 0)
    return pStep->kind = ProcessStep::Exponential, ParseFloat(text.substr(3), &pStep->fLB);
  if (text == "pick")
    return pStep->kind = ProcessStep::Pick, pStep->fLB = 5.0f, true;
  if (text.compare(0, 5, "pick=") == 0)
    return pStep->kind = ProcessStep::Pick, ParseFloat(text.substr(5), &pStep->fLB);
  if (text.compare(0, 10, "integrate=") == 0) {
    pStep->kind = ProcessStep::Integrate;
    std::string rest = text.substr(10);
    while (!rest.empty()) {
      const size_t comma = rest.find(','), colon = rest.find(':');
      const std::string region = rest.substr(0, comma);
      double a = 0.0, b = 0.0;
      if (colon >= comma || !ParseDouble(region.substr(0, colon).c_str(), &a) ||
          !ParseDouble(region.substr(colon + 1).c_str(), &b))
        return false;
      pStep->regions.emplace_back(a, b);
      rest = comma == std::string::npos ? std::string() : rest.substr(comma + 1);
    }
    return !pStep->regions.empty();
  }
  // Two numbers after the name: gm=LB,GB and phase=P0,P1.
  for (const auto& named :
       {std::make_pair("gm=", ProcessStep::LorentzGauss), std::make_pair("phase=", ProcessStep::Phase)}) {
    const size_t nName = std::strlen(named.first);
    if (text.compare(0, nName, named.first) != 0)
      continue;
    const size_t comma = text.find(',');
    pStep->kind = named.second;
    return comma != std::string::npos && ParseFloat(text.substr(nName, comma - nName), &pStep->fLB) &&
           ParseFloat(text.substr(comma + 1), &pStep->fGB);
  }
  return false;
}

// The even float index of a shift, by the inverse of the ppm axis.
int PpmToIndex(const CSpectrum& s, double dPpm) {
  const CSpectrumParams& p = s.m_paramsA;
  if (p.sw == 0.0)
    return 0;
  const double dIndex = p.td * (p.sw - dPpm * p.sf) / p.sw - p.offset;
  return (int)std::max(std::min(std::floor(dIndex), 2147483646.0), -2147483647.0) & ~1;
}

// A region pick over the whole spectrum at a percentage of its largest
// magnitude.
void PickWhole(CBrivaneProDoc& doc, float fPercent) {
  const CSpectrum& s = *doc.GetCurrentSpectrum();
  const int td = s.m_pData != nullptr ? s.m_paramsA.td : 0;
  float fMax = 0.0f;
  for (int k = 0; k < td; k += 2)
    fMax = std::max(fMax, std::fabs(s.m_pData[k]));
  if (td >= 2)
    doc.PickPeaksInRange(0, td - 2, fMax * fPercent / 100.0);
}

// One step on every spectrum, each made current in turn as a user would.
// A refusal leaves its reason in pszReason when the document showed none.
bool RunStep(CBrivaneProDoc& doc, const ProcessStep& step, const char** pszReason) {
  if (step.kind == ProcessStep::Exponential || step.kind == ProcessStep::LorentzGauss) {
    CApodizeSession session(&doc);
    session.KeepWeightedCopies();
    session.KeepData();
    const CWindowFunction* pWindow = doc.GetCurrentSpectrum()->m_pWindow;
    const float fGB = step.kind == ProcessStep::LorentzGauss ? step.fGB : pWindow ? pWindow->m_GB : 1.0f;
    session.StoreParameters(
        step.kind == ProcessStep::Exponential ? CWindowFunction::Exponential : CWindowFunction::LorentzGauss, step.fLB,
        fGB, 0.0f, 0.0f, TRUE);
    const char* pszMessage = nullptr;
    const BOOL bApplied = session.Apply(TRUE, FALSE, &pszMessage);
    session.Accept();
    *pszReason = pszMessage;
    return bApplied != FALSE;
  }
  for (int i = 0; i < doc.GetSpectrumCount(); i++) {
    doc.SetCurrentSpectrum(doc.GetSpectrumAt(i));
    bool bDone = true;
    switch (step.kind) {
      case ProcessStep::Ft:
      case ProcessStep::Ift: {
        CFourierTransformOptions options;
        BOOL bAll = FALSE, bAutophase = FALSE;
        doc.InitFourierTransform(options, bAll, bAutophase);
        options.bInverse = step.kind == ProcessStep::Ift ? TRUE : FALSE;
        bDone = doc.FourierTransform(options, FALSE, FALSE) != FALSE;
        break;
      }
      case ProcessStep::ZeroFill:
        bDone = doc.ZeroFilling(step.nPoints) != FALSE;
        break;
      case ProcessStep::Pick:
        PickWhole(doc, step.fLB);
        break;
      case ProcessStep::Integrate:
        for (const std::pair<double, double>& region : step.regions)
          doc.AddIntegralOver(PpmToIndex(*doc.GetCurrentSpectrum(), region.first),
                              PpmToIndex(*doc.GetCurrentSpectrum(), region.second));
        break;
      case ProcessStep::Autophase:
        bDone = doc.AutophaseCurrent() != FALSE;
        break;
      case ProcessStep::Baseline: {
        std::vector<float> baseline;
        bDone = doc.StartBaselinePoints(1) && doc.ComputeBaseline(2, baseline);
        doc.SubtractComputedBaseline(baseline);
        break;
      }
      case ProcessStep::Ist: {
        const CSpectrum& s = *doc.GetCurrentSpectrum();
        bDone = doc.SoftThresholding(20, 2 * s.m_paramsA.td, (s.m_rectPlot.top + s.m_rectPlot.bottom) / 2 - 5) != FALSE;
        break;
      }
      case ProcessStep::Phase: {
        CSpectrum& s = *doc.GetCurrentSpectrum();
        s.m_nPivot = 0;
        s.SetPhase((float)(step.fLB * 0.017453292519943295), (float)(step.fGB * 0.017453292519943295));
        s.m_bDataChanged = 1;
        break;
      }
      default:
        doc.ToggleMagnitude();
        break;
    }
    if (!bDone)
      return false;
  }
  return true;
}

bool WritePoints(const CSpectrum& s, const char* pszPath) {
  FILE* f = std::fopen(pszPath, "wb");
  if (f == nullptr)
    return false;
  const int nUnits = s.m_bTransformed ? AXIS_UNITS_PPM : AXIS_UNITS_SECONDS;
  const int td = s.m_pData != nullptr ? s.m_paramsA.td : 0;
  for (int k = 0; k + 1 < td; k += 2)
    std::fprintf(f, "%.9g %.9g %.9g\n", s.ConvertUnits(k, nUnits), (double)s.m_pData[k], (double)s.m_pData[k + 1]);
  return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes in both builds: lines end in LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  if (argc >= 2 && std::strcmp(argv[1], "simulate") == 0)
    return Simulate(argc, argv);
  if (argc < 4)
    return Usage();
  bool bSave = std::strcmp(argv[1], "save") == 0;
  bool bProcess = std::strcmp(argv[1], "process") == 0;
  if (!bSave && !bProcess && std::strcmp(argv[1], "import") != 0)
    return Usage();
  if ((bSave || bProcess) && argc < 5)
    return Usage();
  std::vector<ProcessStep> steps;
  for (int k = 5; bProcess && k < argc; k++) {
    ProcessStep step;
    if (!ParseStep(argv[k], &step))
      return Fail((std::string("unknown step ") + argv[k]).c_str());
    steps.push_back(step);
  }
  char* pEnd = nullptr;
  long nType = std::strtol(argv[2], &pEnd, 10);
  if (pEnd == argv[2] || *pEnd != '\0' || nType < 0 || nType >= CBrivaneAppState::ImportTypeCount)
    return Fail("Unknown import file type");

  CProbeHost host;
  host.m_bHasView = bProcess;  // the pixel tools need a view
  host.m_app.m_nImportType = (int)nType;
  CBrivaneProDoc doc(&host);
  CProbeMissingParameters policy;
  doc.SetMissingParametersPolicy(&policy);
  int nHistoryBefore = host.m_app.m_History.GetCount();
  ImportResult result = doc.ImportFile(argv[3]);

  // The history of this import (the lines added from here on).
  std::string history;
  POSITION pos = host.m_app.m_History.FindIndex(nHistoryBefore);
  while (pos != nullptr)
    history += "history " + OneLine(host.m_app.m_History.GetNext(pos)) + "\n";

  for (const std::string& key : policy.m_asked)
    std::printf("missing %s\n", OneLine(key.c_str()).c_str());

  if (result == importFailed) {
    std::fputs(history.c_str(), stdout);
    CString reason = host.m_app.m_strOpenFailure;
    return Fail(reason.IsEmpty() ? "Failed to open" : (LPCSTR)reason);
  }
  // Laid out as the program does after File > Open.
  if (result == importNative) {
    doc.RefreshAfterLoad();
    doc.RestoreImportType();
  } else {
    doc.RefreshAfterAdd();
  }
  for (const ProcessStep& step : steps) {
    host.m_strLastMessage.Empty();
    if (doc.GetSpectrumCount() == 0)
      return Fail("no spectrum");
    const char* pszReason = nullptr;
    Draw(doc);
    if (!RunStep(doc, step, &pszReason))
      return Fail(!host.m_strLastMessage.IsEmpty() ? (LPCSTR)host.m_strLastMessage
                  : pszReason != nullptr           ? pszReason
                                                   : "step failed");
  }

  std::printf("spectra %d\n", doc.GetSpectrumCount());
  for (int i = 0; i < doc.GetSpectrumCount(); i++)
    PrintSpectrum(i, doc.GetSpectrumAt(i));
  std::fputs(history.c_str(), stdout);

  if (bSave && !doc.WriteNativeFile(argv[4]))
    return Fail(host.m_strLastMessage);
  if (bProcess && (doc.GetSpectrumCount() == 0 || !WritePoints(*doc.GetSpectrumAt(0), argv[4])))
    return Fail("cannot write the points");
  return 0;
}
