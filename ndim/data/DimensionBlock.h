// One dimension of a 2D data set. The nD file stores this record as it is
// (28 bytes, little-endian), so its fields and their order are fixed.
#pragma once

#include <cstdint>

struct DimensionBlock {
  std::int32_t m_nPoints = 1;           // complex points unless the set is real
  float m_fFirstPoint = 0.0f;           // digital-filter group delay, points
  float m_fSpectralWidth = 1000.0f;     // Hz
  float m_fLastFrequency = -1.0f;       // Hz at the last point (right edge)
  float m_fSpectrometerFreq = 300.0f;   // MHz
  std::int32_t m_nAcquisitionMode = 1;  // AQ_mod of Bruker data
  std::int32_t m_nIndirectMode = 0;     // MC2 of Bruker f1; 3 or 0 for Varian;
                                        // the last dimension's: NdQuadratureSense
};

// The second mode code of the last dimension: which way the spectrometer's
// quadrature turns, so that the Fourier Transform dialog can preset the
// spectrometer's own orientation. Readers that know their vendor state it;
// sets read or saved without it say nothing.
enum NdQuadratureSense {
  ndSenseUnstated = 0,
  ndSenseForward = 1,    // a forward transform shows it as the vendor does (Bruker)
  ndSenseConjugate = 2,  // conjugated first in every dimension (Varian)
};

static_assert(sizeof(DimensionBlock) == 28, "DimensionBlock is stored as 28 bytes");
