// Recognising the type of a file the nD program opens, and reading it with
// the reader of its type.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ndim/import/Bv2File.h"
#include "ndim/import/NdFileType.h"
#include "tests/ndim/import/nd_import_test_util.h"

TEST(NdFileType, DetectionLooksAtTheStartOfTheFileAndAtItsNeighbours) {
  NdFolder folder;
  folder.Write("own/ser.bv2", "bvxn and the rest");
  folder.Write("own/acqus", "");
  folder.Write("bruker/ser", std::string("\x47\x84\xF5", 3));
  folder.Write("bruker/acqus", "");
  folder.Write("lone/ser", "no magic");
  folder.Write("aspect/SER", std::string("\xF5\x84\x47", 3));
  folder.Write("aspect/x.dat", std::string("\x3D\xFB\x00", 3));
  folder.Write("varian.fid/fid", "data");
  folder.Write("varian.fid/procpar", "");
  folder.Write("lone.fid/fid", "data");
  folder.Write("empty/ser", "");
  folder.Write("empty/acqus", "");
  const struct {
    const char* name;
    int type;
  } cases[] = {
      {"own/ser.bv2", ndFileNative},   {"bruker/ser", ndFileBruker},   {"lone/ser", ndFileUnknown},
      {"aspect/SER", ndFileAspect},    {"aspect/x.dat", ndFileAspect}, {"varian.fid/fid", ndFileVarian},
      {"lone.fid/fid", ndFileUnknown}, {"empty/ser", ndFileBruker},    {"nowhere/ser", ndFileUnknown},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.type, DetectFileType(folder.Path(c.name).c_str())) << c.name;
}

TEST(NdFileType, AutomaticReadsWithTheDetectedReaderOrSaysThereIsNone) {
  NdFolder folder;
  std::unique_ptr<CSpectrum2D> saved(MakeSet(2, 3));
  FillRandom(*saved);
  CString error;
  ASSERT_TRUE(CBv2File::Write(folder.Path("saved.bv2").c_str(), *saved, error));
  folder.Write("lone/ser", "no magic");

  for (int type : {ndFileAutomatic, ndFileNative}) {
    RecordingSink sink;
    CNdImportLog log(&sink);
    std::unique_ptr<CSpectrum2D> set(ImportNdFile(type, folder.Path("saved.bv2").c_str(), log));
    ASSERT_TRUE(set) << static_cast<LPCSTR>(log.GetError());
    EXPECT_EQ(DataOf(*saved), DataOf(*set));
    EXPECT_TRUE(sink.messages.empty());
  }
  RecordingSink sink;
  CNdImportLog log(&sink);
  EXPECT_FALSE(ImportNdFile(ndFileAutomatic, folder.Path("lone/ser").c_str(), log));
  EXPECT_EQ(std::vector<std::string>{"There is no converter available"}, sink.messages);
  EXPECT_FALSE(ImportNdFile(ndFileBruker, folder.Path("lone/ser").c_str(), log)) << "no acqus";
  EXPECT_FALSE(ImportNdFile(9, folder.Path("saved.bv2").c_str(), log));
}
