// The table of import file types: which types have an importer, and what a
// warning of an importer does on a target without a message box.
#include <string>
#include <vector>

#include "onedim/import/ImportDispatcher.h"
#include "tests/onedim/import/fixed_import_test_util.h"

TEST(ImportDispatcher, EveryTypeButTheNativeFileHasAnImporter) {
  for (int nType = -1; nType <= 13; ++nType)
    EXPECT_EQ(HasImporter(nType), nType >= 0 && nType <= 12 && nType != 9) << nType;

  // The native file and unknown types are not read here, and say nothing.
  ImportFolder folder;
  folder.Write("x.bvx", "X");
  for (int nType : {-1, 9, 13}) {
    RecordingTarget target;
    EXPECT_FALSE(ImportFileOfType(nType, target, folder.Path("x.bvx").c_str())) << nType;
    EXPECT_TRUE(target.history.empty() && target.error.empty() && target.spectra.empty()) << nType;
  }
}

TEST(ImportDispatcher, AWarningGoesToTheHistoryOfATargetWithoutABox) {
  // A Varian header that disagrees with procpar: the warning, then the spectrum.
  ImportFolder folder;
  folder.Write("procpar", "np 1 1\n1 2\n0\n");
  Bytes fid;
  fid.U32(8, 4, true).U16(26, 0x0048, true).Size(60).F32(60, 1.0f, true).F32(64, 2.0f, true);
  folder.Write("fid", fid.str);
  RecordingTarget target;
  ASSERT_TRUE(ImportFileOfType(importTypeVarian, target, folder.Path("fid").c_str())) << target.error;
  EXPECT_TRUE(target.HasHistory("Number of points in the procpar\nIs different to the fid header"));
  EXPECT_EQ(target.spectra.size(), 1u);
}
