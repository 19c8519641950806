#include "ndim/handoff/HandOff.h"

#include <cstdio>

#include "ndim/data/Spectrum2D.h"
#include "ndim/handoff/HandOffUi.h"
#include "ndim/handoff/TraceFile.h"

CString HandOffPath(LPCSTR folder, bool columns) {
  return CString(folder) + (columns ? "~col.bvx" : "~row.bvx");
}

void HandOff(CSpectrum2D& set, CCommandInterpreter& interpreter, const HandOffTraces& traces, LPCSTR folder,
             const CSize& client, COneDProgram& program, CHandOffUi& ui) {
  std::vector<float> pairs;
  if (!GatherTraces(set, traces.m_bColumns, traces.m_indices, pairs))
    return;
  const CString path = HandOffPath(folder, traces.m_bColumns);
  // A document left by an earlier run is never what the 1D program opens.
  std::remove(path);
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
