#include "ndim/handoff/HandOff.h"

#include <cstdio>

#include "common/HandOffNames.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/handoff/HandOffUi.h"
#include "ndim/handoff/TraceFile.h"

namespace {

// The document of an earlier run removed, and whether a file can be made
// there now (an empty one, which the document then replaces).
bool ClearedForWriting(const CString& path) {
  // A document left by an earlier run is never what the 1D program opens.
  std::remove(path);
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr)
    return false;
  std::fclose(file);
  return true;
}

}  // namespace

CString HandOffPath(LPCSTR folder, bool columns) {
  return CString(folder) + (columns ? kColumnHandOffName : kRowHandOffName);
}

void HandOff(CSpectrum2D& set, CCommandInterpreter& interpreter, const HandOffTraces& traces,
             const HandOffFolders& folders, const CSize& client, COneDProgram& program, CHandOffUi& ui) {
  std::vector<float> pairs;
  if (!GatherTraces(set, traces.m_bColumns, traces.m_indices, pairs))
    return;
  // A program folder the user may not write to (an installed program's)
  // would stop every hand-off without a word.
  CString path = HandOffPath(folders.m_strProgram, traces.m_bColumns);
  if (!ClearedForWriting(path) && !folders.m_strFallback.IsEmpty()) {
    path = HandOffPath(folders.m_strFallback, traces.m_bColumns);
    ClearedForWriting(path);
  }
  const DimensionBlock block = HandedBlock(set, traces.m_bColumns ? 1 : 2);
  if (!WriteTraceFile(path, pairs.data(), block, static_cast<int>(traces.m_indices.size()), !set.m_bReal, client,
                      ui)) {
    std::remove(path);
    return;
  }
  switch (program.Run(path)) {
    case COneDProgram::notStarted:
      ui.ShowMessage(
          "Please make sure that you have Brivane version 2.3.\nThis application should be in the same directory as "
          "Brivane 2D");
      break;
    case COneDProgram::endedBadly:
      // What the shared key holds was not left by this run.
      ui.ShowMessage("Brivane did not end normally.\nNo values were taken from it");
      break;
    case COneDProgram::ended: {
      const SharedValues values = program.ReadSharedValues();
      OfferPhase(set, interpreter, traces.m_bColumns ? 1 : 2, values, ui);
      OfferApodization(set, values, ui);
      break;
    }
  }
  std::remove(path);
}
