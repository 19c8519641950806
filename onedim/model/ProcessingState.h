// What the Magnitude and Power commands have done to a spectrum, so that
// each can be undone by its own command.
#pragma once

#include "framework/base/WinTypes.h"

class CProcessingState {
 public:
  CProcessingState();
  // Only the two flags travel to a copy; the arrays start from their
  // presets.
  CProcessingState(const CProcessingState& other);
  virtual ~CProcessingState();

  int m_anFirst[5];   // preset 128; carried, not read
  int m_anSecond[5];  // preset 4; carried, not read
  BYTE m_bMagnitude;  // the data are in magnitude form
  BYTE m_bPower;      // the data are in power form

 private:
  CProcessingState& operator=(const CProcessingState&) = delete;
};
