// The hand-off of rows or columns of a 2D data set to the 1D program: the
// traces go into a temporary 1D document in the nD program's folder (or,
// when no file can be made there, in the user's temporary folder), the 1D
// program is run on it, and once it has ended its phase and window function
// are offered to the 2D data; the temporary document is then removed.
#pragma once

#include <vector>

#include "framework/base/Size.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"
#include "ndim/handoff/SharedValues.h"

class CCommandInterpreter;
class CHandOffUi;
class CSpectrum2D;

// The 1D program as the hand-off needs it; the nD program starts the real
// one and reads the real registry.
class COneDProgram {
 public:
  enum Result {
    notStarted,  // it could not be started (missing, or the start failed)
    endedBadly,  // it ended, but not as a closed program does (a crash)
    ended
  };
  virtual ~COneDProgram() {}
  // Runs the 1D program on the document at path and returns once it has ended.
  virtual Result Run(LPCSTR path) = 0;
  // What it left under the shared key.
  virtual SharedValues ReadSharedValues() = 0;
};

struct HandOffTraces {
  bool m_bColumns = false;     // columns (along f1) rather than rows (along f2)
  std::vector<int> m_indices;  // f1 indices of rows or f2 indices of columns, in order
};

// Where the temporary document goes, each folder ending with its separator.
struct HandOffFolders {
  CString m_strProgram;   // the nD program's own
  CString m_strFallback;  // taken when no file can be made there; empty: none
};

// The temporary document of a hand-off: "~row.bvx" or "~col.bvx" in the
// folder (which ends with its separator).
CString HandOffPath(LPCSTR folder, bool columns);

// The whole hand-off. `client` is the client area of the view the traces come
// from. The 2D data change only through the offers the user accepts.
void HandOff(CSpectrum2D& set, CCommandInterpreter& interpreter, const HandOffTraces& traces,
             const HandOffFolders& folders, const CSize& client, COneDProgram& program, CHandOffUi& ui);
