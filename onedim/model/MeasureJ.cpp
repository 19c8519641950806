#include "onedim/model/MeasureJ.h"

#include "framework/base/Archive.h"

IMPLEMENT_SERIAL(CMeasureJ, CObject, 1)

CMeasureJ::CMeasureJ() : m_nReference(0) {}

CMeasureJ::CMeasureJ(int nReference) : m_nReference(nReference) {
  m_arrPartners.SetSize(0, 50);
}

CMeasureJ::~CMeasureJ() = default;

void CMeasureJ::Serialize(CArchive&) {}
