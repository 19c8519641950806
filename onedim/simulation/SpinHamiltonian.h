// One sub-problem of a composite spin system: G spins of quantum numbers
// I_1 ... I_G (one composite spin per group), their product basis, the
// Hamiltonian in Hz and the lines of every allowed transition.
//
// The Hamiltonian keeps total Fz, so it is block-diagonal in a basis ordered
// by Fz. Each block is diagonalised on its own: that costs the sum of the
// cubes of the block sizes instead of the cube of the whole dimension, and
// every eigenvector belongs to exactly one block even where eigenvalues of
// different blocks coincide, which the line step relies on.
#pragma once

#include <vector>

#include "framework/base/WinTypes.h"

class CSpinHamiltonian {
 public:
  // Memory and work that one sub-problem takes, known before anything is
  // allocated: bytes kept for its lines, bytes needed only while it is
  // calculated, and a count of the multiply-adds of its dense steps.
  struct Cost {
    double dKeptBytes;
    double dPeakBytes;
    double dWork;
  };
  static Cost Estimate(int nSpins, const double* pQuantum);

  CSpinHamiltonian();
  virtual ~CSpinHamiltonian();

  // Computes the lines. pShifts[k] in Hz; pCoupling is G x G row by row,
  // J(k, l) read above the diagonal (k < l); the weight and the number of
  // spin-1/2 nuclei S scale the intensities. The caller has checked the
  // size with Estimate. Returns FALSE after reporting when the eigenvalue
  // routine gives up or memory runs out; the lines are then empty.
  BOOL Calculate(int nSpins, const double* pQuantum, const double* pShifts, const double* pCoupling, double dWeight,
                 int nNuclei);

  int GetTransitionCount() const { return m_nTransitions; }
  const double* GetFrequencies() const { return m_Frequencies.data(); }
  const double* GetIntensities() const { return m_Intensities.data(); }
  int GetStateCount() const { return m_nStates; }
  double GetWeight() const { return m_dWeight; }

 private:
  struct Block;
  BOOL Diagonalise(int nStart, int nSize, Block& block);
  void AddLines(const Block& lower, const Block& upper);
  void ReleaseWork();

  int m_nSpins;
  int m_nStates;
  int m_nNuclei;
  double m_dWeight;
  // Working state of Calculate, released when it returns.
  std::vector<double> m_Quantum;      // I_k
  std::vector<double> m_Shifts;       // Hz
  std::vector<double> m_Coupling;     // G x G, Hz
  std::vector<int> m_Stride;          // product-index step of one unit of m_k
  std::vector<double> m_M;            // m_k of each state, product order
  std::vector<int> m_Order;           // sorted position -> product index
  std::vector<int> m_Position;        // product index -> sorted position
  std::vector<double> m_Eigenvalues;  // per sorted state, block by block
  int m_nTransitions;
  std::vector<double> m_Frequencies;
  std::vector<double> m_Intensities;

  CSpinHamiltonian(const CSpinHamiltonian&) = delete;
  CSpinHamiltonian& operator=(const CSpinHamiltonian&) = delete;
};
