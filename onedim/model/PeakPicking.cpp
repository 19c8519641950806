#include "onedim/model/PeakPicking.h"

#include "framework/base/Archive.h"

IMPLEMENT_SERIAL(CPeakPicking, CObject, 1)

CPeakPicking::CPeakPicking() : m_nEnd(-1), m_nStart(-1), m_fThreshold(-1.0f) {
  m_arrPoints.SetSize(0, 50);
}

CPeakPicking::CPeakPicking(int nStart, int nEnd, float fThreshold)
    : m_nEnd(nEnd), m_nStart(nStart), m_fThreshold(fThreshold) {
  m_arrPoints.SetSize(0, 50);
}

CPeakPicking::~CPeakPicking() = default;

void CPeakPicking::Serialize(CArchive&) {}
