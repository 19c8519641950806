#include "onedim/model/ProcessingState.h"

CProcessingState::CProcessingState() : m_bMagnitude(0), m_bPower(0) {
  for (int i = 0; i < 5; i++) {
    m_anFirst[i] = 128;
    m_anSecond[i] = 4;
  }
}

CProcessingState::CProcessingState(const CProcessingState& other) : CProcessingState() {
  m_bMagnitude = other.m_bMagnitude;
  m_bPower = other.m_bPower;
}

CProcessingState::~CProcessingState() = default;
