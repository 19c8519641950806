// The hand-off to the 1D program with the program stood in for: what it is
// given, what comes back from the shared key, and every way it can end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/HandOffNames.h"
#include "ndim/handoff/HandOff.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "tests/ndim/handoff/handoff_test_support.h"
#include "tests/ndim/nd_test_support.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

// Reads the document it is run on, and ends as it is told.
struct FakeProgram : COneDProgram {
  Result Run(LPCSTR path) override {
    ++runs;
    given = path;
    CTestHost host;
    host.m_bHasView = FALSE;  // as a file, without a view
    CBrivaneProDoc doc(&host);
    if (doc.ReadNativeFile(path))
      for (int i = 0; i < doc.GetSpectrumCount(); ++i) {
        const CSpectrum& s = *doc.GetSpectrumAt(i);
        traces.emplace_back(s.m_pData, s.m_pData + s.m_paramsA.td);
      }
    return result;
  }
  SharedValues ReadSharedValues() override { return values; }

  Result result = ended;
  SharedValues values;
  int runs = 0;
  std::string given;  // the document it was run on
  std::vector<std::vector<float>> traces;
};

// A 2 x 4 complex set in quadrature along f2 and f1 (f2 in the points).
std::unique_ptr<CSpectrum2D> PhaseableSet() {
  std::unique_ptr<CSpectrum2D> set(MakeSet(2, 4));
  FillRandom(*set);
  set->m_phasingOrder[0] = 2;
  set->m_phasingOrder[1] = 1;
  return set;
}

SharedValues Values(double ph0, double ph1, int type = 0, double lb = 1.0) {
  SharedValues v;
  v.m_bKeyOpened = true;
  v.m_dPhase0 = ph0;
  v.m_dPhase1 = ph1;
  v.m_nWindowType = type;
  v.m_dWindowValue = lb;
  return v;
}

// The data after the interpreter ran a script on a copy of the set.
std::vector<float> AfterScript(const CSpectrum2D& set, const char* script) {
  std::unique_ptr<CSpectrum2D> copy(MakeSet(set.m_dims[1].m_nPoints, set.m_dims[2].m_nPoints));
  const std::vector<float> data = DataOf(set);
  std::copy(data.begin(), data.end(), copy->m_pData);
  std::copy(set.m_phasingOrder, set.m_phasingOrder + 4, copy->m_phasingOrder);
  CCommandInterpreter interpreter;
  interpreter.Execute(*copy, script);
  return DataOf(*copy);
}

struct HandOffRun {
  std::unique_ptr<CSpectrum2D> set = PhaseableSet();
  FakeProgram program;
  RecordingUi ui;
  CCommandInterpreter interpreter{&ui};
  std::string folder = ::testing::TempDir();
  std::string fallback;

  void Send(bool columns, std::vector<int> indices) {
    HandOffTraces traces;
    traces.m_bColumns = columns;
    traces.m_indices = std::move(indices);
    HandOff(*set, interpreter, traces, HandOffFolders{folder.c_str(), fallback.c_str()}, CSize(640, 480), program, ui);
  }
  bool TempFileLeft(bool columns) const { return std::ifstream(HandOffPath(folder.c_str(), columns)).good(); }
};

}  // namespace

TEST(HandOff, RowsGoToTheProgramAndItsPhaseAndWindowComeBack) {
  HandOffRun run;
  run.program.values = Values(30.0, -90.0, 2, 0.25);
  const std::vector<float> before = DataOf(*run.set);
  const std::vector<float> expected = AfterScript(*run.set, "sw 2\nph 30 -90");
  // A document an earlier run left behind is replaced.
  std::ofstream(HandOffPath(run.folder.c_str(), false)) << "stale";
  run.Send(false, {1, 0});

  ASSERT_EQ(2u, run.program.traces.size());
  EXPECT_EQ(std::vector<float>(before.begin() + 8, before.end()), run.program.traces[0]);
  EXPECT_EQ(std::vector<float>(before.begin(), before.begin() + 8), run.program.traces[1]);
  EXPECT_EQ(std::vector<std::string>({"Apply phase correction along f2 using values from 1D program?\nZero "
                                      "order=30.000\nFirst Order=-90.000",
                                      "Use apodization values from 1D program?"}),
            run.ui.questions);
  EXPECT_TRUE(run.ui.messages.empty());
  EXPECT_EQ(expected, DataOf(*run.set));
  EXPECT_EQ(1, run.ui.updates);
  EXPECT_EQ(1, run.set->m_bApodize);
  EXPECT_TRUE(run.set->m_apodization.m_bOn[ApodizationSettings::SineBell]);
  EXPECT_EQ(0.25, run.set->m_apodization.m_dValue[ApodizationSettings::SineBell]);
  EXPECT_FALSE(run.TempFileLeft(false));
}

// A program folder that takes no file (here one that does not exist) sends
// the document to the other folder, and it is removed from there too.
TEST(HandOff, AFolderThatTakesNoFileSendsTheDocumentToTheTemporaryOne) {
  for (bool columns : {false, true}) {
    HandOffRun run;
    run.fallback = run.folder;
    run.folder = run.fallback + "no such folder/";
    run.program.values = Values(0.0, 0.0);
    run.Send(columns, {1});
    ASSERT_EQ(1, run.program.runs);
    EXPECT_EQ(std::string(HandOffPath(run.fallback.c_str(), columns)), run.program.given);
    EXPECT_EQ(1u, run.program.traces.size()) << "the trace was in it";
    EXPECT_TRUE(run.ui.messages.empty());
    EXPECT_FALSE(std::ifstream(HandOffPath(run.fallback.c_str(), columns)).good()) << "removed";
  }
  // Without the other folder, nothing starts.
  HandOffRun run;
  run.folder += "no such folder/";
  run.Send(false, {0});
  EXPECT_EQ(0, run.program.runs);
}

// What the 1D program keeps out of its recent files, wherever it lies.
TEST(HandOff, TheDocumentsAreKnownByTheirNamesInAnyFolder) {
  for (const char* path : {"~row.bvx", "C:\\Program Files\\Brivane\\~row.bvx", "c:~COL.BVX", "/tmp/~col.bvx"})
    EXPECT_TRUE(IsHandOffDocument(path)) << path;
  for (const char* path : {"row.bvx", "C:\\data\\~row.bvx.bak", "~row.bv", "~row.bvx\\menthol.bvx", ""})
    EXPECT_FALSE(IsHandOffDocument(path)) << path;
}

TEST(HandOff, AProgramThatDoesNotStartOrEndsBadlyLeavesTheDataAsTheyWere) {
  const struct {
    COneDProgram::Result result;
    const char* message;
  } cases[] = {
      {COneDProgram::notStarted,
       "Please make sure that you have Brivane version 2.3.\nThis application should be in the same directory as "
       "Brivane 2D"},
      {COneDProgram::endedBadly, "Brivane did not end normally.\nNo values were taken from it"},
  };
  for (const auto& c : cases) {
    HandOffRun run;
    run.program.result = c.result;
    run.program.values = Values(30.0, 0.0);
    const std::vector<float> before = DataOf(*run.set);
    run.Send(true, {2});
    EXPECT_EQ(1, run.program.runs);
    EXPECT_EQ(std::vector<std::string>{c.message}, run.ui.messages);
    EXPECT_TRUE(run.ui.questions.empty());
    EXPECT_EQ(before, DataOf(*run.set));
    EXPECT_EQ(2, run.set->m_phasingOrder[0]);
    EXPECT_FALSE(run.TempFileLeft(true));
  }
}

TEST(HandOff, TracesOutsideTheSetStartNothing) {
  HandOffRun run;
  run.Send(false, {0, 2});
  run.Send(true, {});
  EXPECT_EQ(0, run.program.runs);
  EXPECT_TRUE(run.ui.messages.empty());
}

TEST(HandOff, PhaseIsOfferedOnlyWhereItCanBeApplied) {
  const struct {
    const char* name;
    std::function<void(CSpectrum2D&)> prepare;
    bool columns;
    SharedValues values;
    std::vector<std::string> messages;
    size_t phaseQuestions;
  } cases[] = {
      {"real",
       [](CSpectrum2D& s) { s.MakeReal(); },
       false,
       Values(1, 2),
       {"Spectrum is real. Cannot be phase corrected"},
       0},
      {"only f2 in the order",
       [](CSpectrum2D& s) { s.m_phasingOrder[1] = 0; },
       true,
       Values(1, 2),
       {"cannot phase along f1"},
       0},
      {"empty order",
       [](CSpectrum2D& s) { s.m_phasingOrder[0] = s.m_phasingOrder[1] = 0; },
       false,
       Values(1, 2),
       {"cannot phase along f2"},
       0},
      {"no key",
       [](CSpectrum2D&) {},
       false,
       SharedValues(),
       {"Failed to open registry\n", "Failed to open registry\n"},
       0},
      {"not a number", [](CSpectrum2D&) {}, false, Values(NAN, 2), {}, 0},
      {"out of range", [](CSpectrum2D&) {}, true, Values(1, 5e7), {}, 0},
      {"wrong registry type",
       [](CSpectrum2D&) {},
       false,
       [] {
         SharedValues v = Values(1, 2);
         v.m_bPhaseUsable = false;
         return v;
       }(),
       {},
       0},
      {"along f1", [](CSpectrum2D&) {}, true, Values(1, 2), {}, 1},
      // A Bruker States set transformed along both dimensions with the
      // Fourier Transform dialog's first choices keeps f2 phaseable.
      {"hypercomplex, as the transform's first choices leave it",
       [](CSpectrum2D& s) {
         s.m_phasingOrder[0] = s.m_phasingOrder[1] = 0;
         s.m_dims[1].m_nIndirectMode = 3;
         s.m_dims[2].m_nIndirectMode = ndSenseForward;
         TransformWithFirstChoices(s);
       },
       false,
       Values(1, 2),
       {},
       1},
  };
  for (const auto& c : cases) {
    HandOffRun run;
    c.prepare(*run.set);
    run.program.values = c.values;
    run.Send(c.columns, {0});
    EXPECT_EQ(c.messages, run.ui.messages) << c.name;
    size_t phase = 0;
    for (const std::string& q : run.ui.questions)
      phase += q.find("Apply phase correction along f") == 0;
    EXPECT_EQ(c.phaseQuestions, phase) << c.name;
    EXPECT_FALSE(run.TempFileLeft(c.columns)) << c.name;
  }
}

TEST(HandOff, TheWindowIsSwitchedOffAndTakenOnlyOnYes) {
  const struct {
    SharedValues values;
    bool yes;
    int window;  // switched on, -1 none
    BYTE apodize;
  } cases[] = {
      {Values(0, 0, 0, 3.5), true, ApodizationSettings::Exponential, 1},
      {Values(0, 0, 1, 3.5), true, ApodizationSettings::Gaussian, 1},
      {Values(0, 0, 3, 3.5), true, ApodizationSettings::SquaredSineBell, 1},
      {Values(0, 0, 5, 3.5), true, -1, 1},
      {Values(0, 0, 0, 3.5), false, -1, 0},
  };
  for (const auto& c : cases) {
    HandOffRun run;
    for (BOOL& on : run.set->m_apodization.m_bOn)
      on = TRUE;
    run.ui.answer = c.yes;
    run.program.values = c.values;
    run.Send(false, {0});
    for (int w = 0; w < ApodizationSettings::Count; ++w)
      EXPECT_EQ(w == c.window, run.set->m_apodization.m_bOn[w] != FALSE) << c.values.m_nWindowType << " " << w;
    if (c.window >= 0)
      EXPECT_EQ(3.5, run.set->m_apodization.m_dValue[c.window]);
    EXPECT_EQ(c.apodize, run.set->m_bApodize);
  }
  // A window the 1D program cannot have written changes nothing.
  for (const SharedValues& bad : {Values(0, 0, 8), Values(0, 0, -1), Values(0, 0, 0, INFINITY)}) {
    HandOffRun run;
    run.set->m_apodization.m_bOn[ApodizationSettings::FirstPoint] = TRUE;
    run.program.values = bad;
    run.Send(false, {0});
    EXPECT_TRUE(run.set->m_apodization.m_bOn[ApodizationSettings::FirstPoint]);
    EXPECT_EQ(1u, run.ui.questions.size()) << "the phase question only";
  }
}
