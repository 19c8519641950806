// The question put to the user when a parameter file did not give every
// parameter: first the list of what is missing ("Importing errors": Abort or
// Set values), then the values to use ("Edit Parameters"). The program asks
// through its two dialogs; tests and tools answer through a scripted policy.
#pragma once

#include "framework/base/Lists.h"
#include "framework/base/Maps.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CSpectrumParams;

// The values the "Edit Parameters" step may change.
struct CMissingValues {
  double sf;      // MHz
  double sw;      // Hz
  int td;         // floats, real + imaginary
  int byteorder;  // 0 little endian, 1 big endian (the file's words are reversed)
};

class CMissingParametersPolicy {
 public:
  virtual ~CMissingParametersPolicy() = default;
  // Shows the descriptions of the missing parameters (one line each; the
  // keys are in missing). TRUE for "Set values", FALSE for "Abort".
  virtual BOOL ShowImportErrors(const CStringList& lines, const CMapStringToString& missing) = 0;
  // Lets the user edit the values; the keys in missing are marked. TRUE on
  // OK (values hold the result), FALSE on Cancel.
  virtual BOOL EditParameters(CMissingValues& values, const CMapStringToString& missing) = 0;
};

// TRUE to go on with the import, FALSE to abort it. Asks only when the
// block's map of missing keys is not empty; without a policy the values are
// kept as read. The map itself is left as it is.
BOOL CheckMissingParameters(CSpectrumParams& params, CMissingParametersPolicy* pPolicy);

// A policy that answers without a user: tests and the spectrum probe.
class CScriptedMissingParameters : public CMissingParametersPolicy {
 public:
  enum Answer {
    setValues,    // "Set values", then OK with the values as read (or as scripted)
    abortImport,  // "Abort"
    cancelEdit    // "Set values", then Cancel
  };
  explicit CScriptedMissingParameters(Answer answer = setValues) : m_answer(answer) {}

  // The values OK returns instead of the ones read.
  void ScriptValues(const CMissingValues& values) {
    m_values = values;
    m_bScriptedValues = TRUE;
  }

  BOOL ShowImportErrors(const CStringList& lines, const CMapStringToString& missing) override;
  BOOL EditParameters(CMissingValues& values, const CMapStringToString& missing) override;

  int m_nQuestions = 0;  // how often the check asked
  CStringList m_lines;   // the lines shown last
  CStringList m_keys;    // the keys asked about last, in the map's order

 private:
  Answer m_answer;
  CMissingValues m_values = {0.0, 0.0, 0, 0};
  BOOL m_bScriptedValues = FALSE;
};
