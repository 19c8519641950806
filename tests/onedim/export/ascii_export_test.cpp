// ASCII export of a spectrum, the export dialog's name handling, and the
// text string used by both readers of text.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "onedim/model/AxisScale.h"
#include "onedim/export/AsciiExport.h"
#include "onedim/export/ExportFilter.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"
#include "onedim/model/TextString.h"

namespace {

// A 4-point spectrum: 1000 Hz wide at 100 MHz, 4 ms long.
void MakeSpectrum(CSpectrum& s) {
  CSpectrumParams p;
  p.td = 8;
  p.sw = 1000.0;
  p.sf = 100.0;
  p.aq = 0.004;
  p.title = "sample";
  s.m_paramsA.CopyFrom(p);
  s.m_pData = CSpectrum::AllocateFloats(8);
  const float values[8] = {1.5f, -0.5f, 2.0f, 0.25f, -3.0f, 1.0f, 4.125f, 0.0f};
  for (int i = 0; i < 8; i++)
    s.m_pData[i] = values[i];
}

// Scripted answers; the path lies in the test folder.
class Prompts : public CAsciiExportPrompts {
 public:
  BOOL AskPath(CString& strPath) override {
    strPath = path.c_str();
    return answerPath;
  }
  BOOL AskOptions(CAsciiExportOptions& options) override {
    unitsOffered = options.nUnits;
    bool bFileExists = std::ifstream(path).good();
    fileExistedWhenAsked = fileExistedWhenAsked || bFileExists;
    options = chosen;
    return answerOptions;
  }
  void ShowError(LPCSTR pszText) override { errors.push_back(pszText); }

  std::string path = ::testing::TempDir() + "ascii_export_test.txt";
  BOOL answerPath = TRUE;
  BOOL answerOptions = TRUE;
  CAsciiExportOptions chosen;
  int unitsOffered = -1;
  bool fileExistedWhenAsked = false;
  std::vector<std::string> errors;
};

// The lines of a file whose every line ends in CR LF, as the program's
// text files do in both builds.
std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    EXPECT_TRUE(!line.empty() && line.back() == '\r') << "line " << lines.size() << " of " << path;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

TEST(AsciiExport, HeaderAndOneLinePerPointInEachUnit) {
  CSpectrum s;
  MakeSpectrum(s);
  s.m_Scale.m_nUnits = AXIS_UNITS_PPM;
  Prompts prompts;
  prompts.chosen.nUnits = AXIS_UNITS_POINTS;
  prompts.chosen.bTitle = TRUE;
  ASSERT_TRUE(ExportAscii(s, prompts));
  EXPECT_EQ(prompts.unitsOffered, AXIS_UNITS_PPM);
  EXPECT_EQ(ReadLines(prompts.path),
            (std::vector<std::string>{"============", "Brivane", "============", "Title:sample",
                                      "Spectrometer Frequency =\t100.0000", "Sweep Width =\t1000.0000",
                                      "Time domain=\t8", "Units=\tPoints", "Real Data Points Output",
                                      "=====================================================", "0\t1.5000", "1\t2.0000",
                                      "2\t-3.0000", "3\t4.1250"}));

  struct Case {
    int nUnits;
    const char* units;
    const char* first;
    const char* last;
  };
  // Hz from sw down; ppm the same over sf; seconds from 0 by aq / (td / 2).
  for (const Case& c : {Case{AXIS_UNITS_SECONDS, "Units=\tSeconds", "0.000\t1.5000\t-0.5000", "0.003\t4.1250\t0.0000"},
                        Case{AXIS_UNITS_HZ, "Units=\tHertz", "1000.000\t1.5000\t-0.5000", "250.000\t4.1250\t0.0000"},
                        Case{AXIS_UNITS_PPM, "Units=\tppm", "10.000\t1.5000\t-0.5000", "2.500\t4.1250\t0.0000"},
                        Case{AXIS_UNITS_POINTS, "Units=\tPoints", "0\t1.5000\t-0.5000", "3\t4.1250\t0.0000"}}) {
    prompts.chosen.nUnits = c.nUnits;
    prompts.chosen.bTitle = FALSE;
    prompts.chosen.bComplex = TRUE;
    ASSERT_TRUE(ExportAscii(s, prompts));
    std::vector<std::string> lines = ReadLines(prompts.path);
    ASSERT_EQ(lines.size(), 13u) << c.units;
    EXPECT_EQ(lines[6], c.units);
    EXPECT_EQ(lines[7], "Complex Data Points Output");
    EXPECT_EQ(lines[9], c.first);
    EXPECT_EQ(lines[12], c.last);
  }
  std::remove(prompts.path.c_str());
}

TEST(AsciiExport, CancelLeavesNoFile) {
  CSpectrum s;
  MakeSpectrum(s);
  Prompts prompts;
  std::remove(prompts.path.c_str());
  prompts.answerOptions = FALSE;
  EXPECT_FALSE(ExportAscii(s, prompts));
  EXPECT_FALSE(prompts.fileExistedWhenAsked);
  EXPECT_FALSE(std::ifstream(prompts.path).good());
  prompts.answerPath = FALSE;
  prompts.unitsOffered = -1;
  EXPECT_FALSE(ExportAscii(s, prompts));
  EXPECT_EQ(prompts.unitsOffered, -1);  // not asked
  EXPECT_TRUE(prompts.errors.empty());
}

TEST(AsciiExport, FileThatCannotBeCreated) {
  CSpectrum s;
  MakeSpectrum(s);
  Prompts prompts;
  prompts.path = ::testing::TempDir() + "no-such-folder/x/out.txt";
  EXPECT_FALSE(ExportAscii(s, prompts));
  EXPECT_EQ(prompts.errors, std::vector<std::string>{"Error opening file"});
}

TEST(ExportFilter, FilterTextExtensionsAndIndex) {
  CExportFilter ascii("ASCII (*.txt)", "*.txt");
  EXPECT_STREQ((LPCSTR)ascii.GetFilterText(), "ASCII (*.txt)|*.txt|");
  EXPECT_EQ(std::string(ascii.GetDialogFilter(), 21), std::string("ASCII (*.txt)\0*.txt\0\0", 21));
  EXPECT_STREQ((LPCSTR)ascii.GetFileName(), "*.txt");
  EXPECT_EQ(ascii.GetFilterIndex(), 1);

  CExportFilter two("|'Text (*.txt)'|\"Comma separated (*.CSV)\"||Anything", "data.csv");
  EXPECT_EQ(two.GetEntryCount(), 3);
  EXPECT_STREQ((LPCSTR)two.GetExtension(1), ".CSV");
  EXPECT_EQ(two.GetFilterIndex(), 2);  // the name's extension, without regard to case
  // An entry without a pattern offers every file.
  EXPECT_STREQ((LPCSTR)two.GetExtension(2), ".*");
  EXPECT_STREQ((LPCSTR)two.GetFilterText(), "Text (*.txt)|*.txt|Comma separated (*.CSV)|*.CSV|Anything|*.*|");

  CExportFilter empty("Data (*.dat)|Text (*.txt)", "");
  EXPECT_STREQ((LPCSTR)empty.GetFileName(), "*.dat");
  EXPECT_EQ(empty.GetFilterIndex(), 1);

  std::string list;
  for (int i = 0; i < 30; i++)
    list += "T" + std::to_string(i) + " (*.t" + std::to_string(i) + ")|";
  EXPECT_EQ(CExportFilter(list.c_str(), "").GetEntryCount(), CExportFilter::MaxEntries);
  EXPECT_EQ(CExportFilter(list.c_str(), std::string(1000, 'n').c_str()).GetFileName().GetLength(), 255);
}

TEST(ExportFilter, NameFollowsTheChosenType) {
  EXPECT_STREQ((LPCSTR)CExportFilter::ChangeExtension("data", "CSV (*.csv)"), "data.csv");
  EXPECT_STREQ((LPCSTR)CExportFilter::ChangeExtension("data.old.txt", "CSV (*.csv)"), "data.csv");
  EXPECT_STREQ((LPCSTR)CExportFilter::ChangeExtension("", "CSV (*.csv)"), "*.csv");
  EXPECT_STREQ((LPCSTR)CExportFilter::ChangeExtension("*.txt", "CSV (*.csv)"), "*.csv");
  EXPECT_STREQ((LPCSTR)CExportFilter::ChangeExtension("C:\\my.data\\run", "CSV (*.csv)"), "C:\\my.data\\run.csv");
  EXPECT_STREQ((LPCSTR)CExportFilter::ChangeExtension("data.txt", "Anything"), "data.txt");
  EXPECT_EQ(CExportFilter::ChangeExtension(std::string(300, 'n').c_str(), "CSV (*.csv)").GetLength(), 255);

  CExportFilter filter("Text (*.txt)|CSV (*.csv)", "data.txt");
  filter.OnTypeChange("data.txt", "CSV (*.csv)", 1);
  EXPECT_STREQ((LPCSTR)filter.GetFileName(), "data.csv");
  EXPECT_EQ(filter.GetFilterIndex(), 2);
}

TEST(TextString, EditsAndSearches) {
  CTextString s("abc");
  s.Insert(5, "X");
  EXPECT_STREQ((LPCSTR)s, "abc  X");
  s.Delete(1, -1);
  EXPECT_STREQ((LPCSTR)s, "a");
  s = "Hello World";
  s.Replace(6, 5, "There");
  EXPECT_STREQ((LPCSTR)s, "Hello There");
  EXPECT_EQ(s.FindNoCase("there"), 6);
  EXPECT_EQ(s.FindNoCase('h', 1), 7);
  EXPECT_EQ(s.ReverseFind('e'), 10);
  EXPECT_EQ(s.ReverseFind('e', 9), 8);
  EXPECT_EQ(s.ReverseFindNoCase("HELLO"), 0);
  EXPECT_EQ(s.ReverseFindNoCase('Z'), -1);

  CTextString r("a-b-A-B");
  EXPECT_EQ(r.ReplaceAll("a", "xx", FALSE), 1);
  EXPECT_STREQ((LPCSTR)r, "xx-b-A-B");
  EXPECT_EQ(r.ReplaceAllNoCase("b", "b"), 2);
  EXPECT_EQ(r.ReplaceAllNoCase("X", "y"), 2);
  EXPECT_STREQ((LPCSTR)r, "yy-b-A-b");
}

TEST(TextString, Fields) {
  CTextString s("16384, 16384,, 2");
  EXPECT_EQ(s.CountFields(','), 4);
  EXPECT_STREQ((LPCSTR)s.GetField(',', 0), "16384");
  EXPECT_STREQ((LPCSTR)s.GetField(",", 2), "");
  EXPECT_STREQ((LPCSTR)s.GetField(", ", 1), "16384,");
  EXPECT_STREQ((LPCSTR)s.GetField(',', 9), "");
  CTextString t("ASCII (*.txt)|CSV (*.csv)");
  EXPECT_STREQ((LPCSTR)t.Between("(", ")"), "*.txt");
  EXPECT_STREQ((LPCSTR)t.Between("(", ")", 2), "*.csv");
  EXPECT_STREQ((LPCSTR)t.Between("(", ")", 3), "");
  EXPECT_STREQ((LPCSTR)t.Between("[", "]"), "");
}

}  // namespace
