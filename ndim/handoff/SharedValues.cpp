#include "ndim/handoff/SharedValues.h"

#include <cmath>

#include "framework/base/String.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/handoff/HandOffUi.h"
#include "ndim/script/CommandInterpreter.h"

namespace {

const char kNoRegistry[] = "Failed to open registry\n";

// Phases and window values beyond these are damage, not processing.
const double kMaxPhaseDegrees = 1.0e6;
const double kMaxWindowValue = 1.0e6;
const int kWindowTypes = 8;  // the types the 1D program writes

bool InRange(double value, double limit) {
  return std::isfinite(value) && std::fabs(value) <= limit;
}

}  // namespace

void OfferPhase(CSpectrum2D& set, CCommandInterpreter& interpreter, int dim, const SharedValues& values,
                CHandOffUi& ui) {
  if (set.m_bReal) {
    ui.ShowMessage("Spectrum is real. Cannot be phase corrected");
    return;
  }
  bool found = false;
  for (BYTE b : set.m_phasingOrder)
    found = found || b == dim;
  if (!found) {
    ui.ShowMessage(dim == 1 ? "cannot phase along f1" : "cannot phase along f2");
    return;
  }
  CString command;
  command.Format("sw %d", dim);
  interpreter.Execute(set, command);
  if (set.m_phasingOrder[0] == 0 || set.m_bReal)
    return;
  if (!values.m_bKeyOpened) {
    ui.ShowMessage(kNoRegistry);
    return;
  }
  if (!values.m_bPhaseUsable || !InRange(values.m_dPhase0, kMaxPhaseDegrees) ||
      !InRange(values.m_dPhase1, kMaxPhaseDegrees))
    return;
  CString question;
  question.Format("Apply phase correction along f%d using values from 1D program?\nZero order=%.3lf\nFirst Order=%.3lf",
                  set.m_phasingOrder[0], values.m_dPhase0, values.m_dPhase1);
  if (!ui.AskYesNo(question))
    return;
  command.Format("ph %lf %lf", values.m_dPhase0, values.m_dPhase1);
  interpreter.Execute(set, command);
  ui.UpdateViews();
}

void OfferApodization(CSpectrum2D& set, const SharedValues& values, CHandOffUi& ui) {
  if (!values.m_bKeyOpened) {
    ui.ShowMessage(kNoRegistry);
    return;
  }
  if (!values.m_bWindowUsable || values.m_nWindowType < 0 || values.m_nWindowType >= kWindowTypes ||
      !InRange(values.m_dWindowValue, kMaxWindowValue))
    return;
  ApodizationSettings& a = set.m_apodization;
  for (BOOL& on : a.m_bOn)
    on = FALSE;
  if (!ui.AskYesNo("Use apodization values from 1D program?"))
    return;
  set.m_bApodize = 1;
  // The 1D program's numbering of the four windows both programs have.
  static const int kWindowOf[] = {ApodizationSettings::Exponential, ApodizationSettings::Gaussian,
                                  ApodizationSettings::SineBell, ApodizationSettings::SquaredSineBell};
  if (values.m_nWindowType < 4) {
    const int w = kWindowOf[values.m_nWindowType];
    a.m_bOn[w] = TRUE;
    a.m_dValue[w] = values.m_dWindowValue;
  }
}
