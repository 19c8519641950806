#include "ndim/import/NdFileType.h"

#include <cstring>

#include "framework/base/Exception.h"
#include "ndim/import/Bv2File.h"
#include "ndim/import/NdAspectReader.h"
#include "ndim/import/NdBrukerReader.h"
#include "ndim/import/NdImportSupport.h"
#include "ndim/import/NdVarianReader.h"

namespace {

// The first bytes of a file, zero-filled past its end; false when it cannot
// be opened.
bool ReadStart(LPCSTR path, BYTE (&start)[4]) {
  std::memset(start, 0, sizeof start);
  CFile file;
  if (!NdOpenFile(file, path))
    return false;
  try {
    file.Read(start, sizeof start);
    return true;
  } catch (CException* e) {
    e->Delete();
    return false;
  }
}

bool PathContains(LPCSTR path, LPCSTR upper) {
  CString strPath(path);
  strPath.MakeUpper();
  return strPath.Find(upper) >= 0;
}

}  // namespace

int DetectFileType(LPCSTR path) {
  BYTE start[4];
  if (!ReadStart(path, start))
    return ndFileUnknown;
  if (std::memcmp(start, "bvxn", 4) == 0)
    return ndFileNative;
  if (PathContains(path, "SER") && NdFileExists(NdBeside(path, "acqus")))
    return ndFileBruker;
  if (NdIsAspectMagic(start))
    return ndFileAspect;
  if (PathContains(path, "FID") && NdFileExists(NdBeside(path, "procpar")))
    return ndFileVarian;
  return ndFileUnknown;
}

CSpectrum2D* ImportNdFile(int type, LPCSTR path, CNdImportLog& log) {
  if (type == ndFileAutomatic)
    type = DetectFileType(path);
  switch (type) {
    case ndFileBruker:
      return ReadBruker(path, log);
    case ndFileAspect:
      return ReadAspect(path, log);
    case ndFileVarian:
      return ReadVarian(path, log);
    case ndFileNative: {
      CString error;
      CSpectrum2D* set = CBv2File::Read(path, error);
      return set ? set : log.FailQuietly(error);
    }
    case ndFileUnknown:
      return log.Fail("There is no converter available");
    default:
      return log.FailQuietly("Unknown file type");
  }
}
