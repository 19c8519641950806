// nd_probe: runs a command script on a .bv2 file, or imports a spectrometer
// file, from the command line, for tests of the 2D program outside it.
//
//   nd_probe run IN.bv2 SCRIPT OUT.bv2
//   nd_probe transform IN.bv2 OUT.bv2
//   nd_probe import TYPE PATH OUT.bv2
//   nd_probe plot IN.bv2 MODE WIDTH HEIGHT OUT.bmp      (Windows builds)
//
// run prints "message <text>" for every message the interpreter showed
// (newlines as \n), then "dims <counts of blocks 0 .. last> real=0|1", "cur
// <current dimension>" and "phasing <the four phasing-order bytes>".
// transform runs what OK in the Fourier Transform dialog runs with the
// dialog's first choices, dimension after dimension while they ask for the
// next (f2, then f1): it prints "line <text>" before each line it runs, the
// messages as run does, then the same three lines as run.
// import reads PATH with the reader of TYPE (0 automatic, 1 Bruker, 2 Aspect,
// 3 Varian, 4 .bv2), writes the set to OUT.bv2 and prints the same three
// lines, then "data <the first 8 floats>" and "offset d=<first-point offset>
// sw=<spectral width> sf=<spectrometer frequency>" for each dimension from
// f1.
// plot draws the set with its stored settings in display mode MODE, as the
// view would, into a white picture of that size and writes it as a 24-bit
// BMP.
// A file it cannot read or write, or a bad argument, gives "error <reason>"
// and exit status 1.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ndim/document/NdDialogCommands.h"
#include "ndim/import/Bv2File.h"
#include "ndim/import/NdFileType.h"
#include "ndim/import/NdImportSupport.h"
#include "ndim/script/CommandInterpreter.h"
#include "ndim/data/Spectrum2D.h"

#ifdef _WIN32
#include "framework/base/File.h"
#include "framework/win/Dc.h"
#include "ndim/plot/Dib.h"
#include "ndim/view/DibSection.h"
#endif

namespace {

// A text on one line: newlines as \n.
std::string OneLine(const char* text) {
  std::string line;
  for (const char* p = text; *p; ++p) {
    if (*p == '\n')
      line += "\\n";
    else
      line += *p;
  }
  return line;
}

struct PrintingSink : CNdMessageSink {
  void ShowMessage(LPCSTR text) override { std::printf("message %s\n", OneLine(text).c_str()); }
};

bool ReadText(const char* path, std::string& text) {
  FILE* f = std::fopen(path, "rb");
  if (!f)
    return false;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
    text.append(buffer, n);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

int Error(const char* reason) {
  std::printf("error %s\n", OneLine(reason).c_str());
  return 1;
}

void PrintState(const CSpectrum2D& set) {
  std::printf("dims");
  for (int i = 0; i <= set.m_nLastDim && i < CSpectrum2D::MaxDimensions; ++i)
    std::printf(" %d", set.m_dims[i].m_nPoints);
  std::printf(" real=%d\n", set.m_bReal ? 1 : 0);
  std::printf("cur %d\n", set.m_nCurrentDim);
  const BYTE* o = set.m_phasingOrder;
  std::printf("phasing %d %d %d %d\n", o[0], o[1], o[2], o[3]);
}

// The prediction divisor the program starts with (its Customize dialog's
// "Coefficients = Points/"); the first choices never fill by prediction.
const int kPredictionDivisor = 16;

int Transform(const char* in, const char* out) {
  CString error;
  std::unique_ptr<CSpectrum2D> set(CBv2File::Read(in, error));
  if (!set)
    return Error(error);
  // The program offers no transform of a real set.
  if (set->m_bReal)
    return Error("The set is real: there is nothing to transform");
  PrintingSink sink;
  CCommandInterpreter interpreter(&sink);
  int divisor = kPredictionDivisor;
  // As the document's Fourier Transform command goes on, for as long as
  // each pass moves on to the next dimension.
  for (int dim = set->m_nCurrentDim; dim > 0; dim = set->m_nCurrentDim) {
    const FourierChoices choices = FourierInitialChoices(*set);
    for (const std::string& line : FourierCommandLines(choices, *set, divisor)) {
      std::printf("line %s\n", OneLine(line.c_str()).c_str());
      interpreter.Execute(*set, line.c_str());
    }
    FinishFourier(*set, choices.m_bApodize);
    if (!choices.m_bNextDimension || set->m_nCurrentDim == dim)
      break;
  }
  if (!CBv2File::Write(out, *set, error))
    return Error(error);
  PrintState(*set);
  return 0;
}

int Import(const char* type, const char* path, const char* out) {
  CNdImportLog log(nullptr);
  std::unique_ptr<CSpectrum2D> set(ImportNdFile(std::atoi(type), path, log));
  if (!set)
    return Error(log.GetError());
  CString error;
  if (!CBv2File::Write(out, *set, error))
    return Error(error);
  PrintState(*set);
  const long long floats = static_cast<long long>(set->GetTotalPoints()) * set->FloatsPerPoint();
  std::printf("data");
  for (long long i = 0; i < floats && i < 8; ++i)
    std::printf(" %.6g", set->m_pData[i]);
  std::printf("\n");
  for (int i = 1; i <= set->m_nLastDim && i < CSpectrum2D::MaxDimensions; ++i) {
    const DimensionBlock& b = set->m_dims[i];
    std::printf("offset d=%.6f sw=%.6f sf=%.9f\n", b.m_fFirstPoint, b.m_fSpectralWidth, b.m_fSpectrometerFreq);
  }
  return 0;
}

#ifdef _WIN32
bool ParseInt(const char* text, int lo, int hi, int& value) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end || v < lo || v > hi)
    return false;
  value = static_cast<int>(v);
  return true;
}

// The plot rectangle the way a view leaves room for the strips above and
// to the left and the axes below and to the right; small pictures are all plot.
CRect PlotRect(int width, int height) {
  if (width < 240 || height < 200)
    return CRect(0, 0, width, height);
  return CRect(90, 90, width - 70, height - 60);
}

int Plot(char** argv) {
  int mode, width, height;
  if (!ParseInt(argv[3], 0, 4, mode))
    return Error("The display mode must be 0 to 4");
  if (!ParseInt(argv[4], 1, 16384, width) || !ParseInt(argv[5], 1, 16384, height))
    return Error("The picture must be 1 to 16384 pixels wide and high");
  CString error;
  std::unique_ptr<CSpectrum2D> set(CBv2File::Read(argv[2], error));
  if (!set)
    return Error(error);

  CDC dc;
  CDib dib(width, height, 24);
  CDibSection section(dib);
  if (!dc.CreateCompatibleDC(nullptr) || !section.CreateSection(&dc))
    return Error("Unable to make the picture");
  CSelectGuard bitmap(dc.GetSafeHdc(), section.GetSection());
  dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
  set->SetPlotRect(PlotRect(width, height));
  set->m_nDisplayMode = static_cast<UINT>(mode);
  set->Draw(&dc);
  ::GdiFlush();

  CFile file;
  if (!file.Open(argv[6], CFile::modeCreate | CFile::modeWrite) || !dib.Write(&file))
    return Error("Unable to write the picture");
  return 0;
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  if (argc == 7 && std::string(argv[1]) == "plot")
    return Plot(argv);
#endif
  if (argc == 4 && std::string(argv[1]) == "transform")
    return Transform(argv[2], argv[3]);
  const std::string verb = argc == 5 ? argv[1] : "";
  if (verb == "import")
    return Import(argv[2], argv[3], argv[4]);
  if (verb != "run") {
    std::fprintf(stderr,
                 "usage: nd_probe run IN.bv2 SCRIPT OUT.bv2\n       nd_probe transform IN.bv2 OUT.bv2\n"
                 "       nd_probe import TYPE PATH OUT.bv2\n");
#ifdef _WIN32
    std::fprintf(stderr, "       nd_probe plot IN.bv2 MODE WIDTH HEIGHT OUT.bmp\n");
#endif
    return 2;
  }
  CString error;
  std::unique_ptr<CSpectrum2D> set(CBv2File::Read(argv[2], error));
  if (!set)
    return Error(error);
  std::string script;
  if (!ReadText(argv[3], script))
    return Error("Unable to read the script");

  PrintingSink sink;
  CCommandInterpreter interpreter(&sink);
  interpreter.Execute(*set, script.c_str());
  if (!CBv2File::Write(argv[4], *set, error))
    return Error(error);

  PrintState(*set);
  return 0;
}
