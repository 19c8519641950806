#include "onedim/simulation/SpinHamiltonian.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numeric>

#include "framework/base/Exception.h"
#include "onedim/processing/EigenKernels.h"
#include "onedim/processing/NumericalRoutines.h"

namespace {

// The line step sums the raising operator's elements as integers scaled by
// 1e7 and truncated; intensities move by parts in a million at most.
const double kTableScale = 1e7;

int Multiplicity(double dQuantum) {
  return (int)std::lround(2.0 * dQuantum) + 1;
}

// Sizes of the Fz blocks, lowest Fz first: the coefficients of the product
// of (1 + x + ... + x^(2 I_k)).
std::vector<double> BlockSizes(int nSpins, const double* pQuantum) {
  std::vector<double> sizes(1, 1.0);
  for (int k = 0; k < nSpins; k++) {
    const int r = Multiplicity(pQuantum[k]);
    std::vector<double> next(sizes.size() + r - 1, 0.0);
    for (size_t i = 0; i < sizes.size(); i++)
      for (int d = 0; d < r; d++)
        next[i + d] += sizes[i];
    sizes.swap(next);
  }
  return sizes;
}

}  // namespace

// One diagonalised Fz block: its first sorted state, its size and its
// eigenvectors as the rows of a 1-based matrix.
struct CSpinHamiltonian::Block {
  int nStart = 0;
  int nSize = 0;
  std::vector<double> store;
  std::vector<double*> rows;

  // The components of eigenvector j (from 0), indexed from 0.
  const double* Vector(int j) const { return store.data() + (size_t)(j + 1) * (nSize + 1) + 1; }
};

CSpinHamiltonian::Cost CSpinHamiltonian::Estimate(int nSpins, const double* pQuantum) {
  const std::vector<double> sizes = BlockSizes(nSpins, pQuantum);
  double dStates = 0.0, dTransitions = 0.0, dWork = 0.0, dPairBytes = 0.0;
  for (size_t b = 0; b < sizes.size(); b++) {
    const double n = sizes[b];
    dStates += n;
    dWork += n * n * n;
    if (b + 1 < sizes.size()) {
      const double q = sizes[b + 1];
      dTransitions += n * q;
      dWork += n * n * q + n * q * nSpins;
      // Both blocks' eigenvectors, the two p x q products and the lower
      // block's rows of the raising table.
      dPairBytes = std::max(dPairBytes, 8.0 * ((n + 1) * (n + 1) + (q + 1) * (q + 1) + 2.0 * n * q) +
                                            12.0 * n * nSpins + 4.0 * n);
    }
  }
  Cost cost;
  cost.dKeptBytes = 16.0 * dTransitions + 8.0 * dStates;
  cost.dPeakBytes = dStates * (8.0 * nSpins + 16.0) + 8.0 * nSpins * nSpins + std::max(dPairBytes, 8.0 * 4);
  cost.dWork = dWork;
  return cost;
}

CSpinHamiltonian::CSpinHamiltonian() : m_nSpins(0), m_nStates(0), m_nNuclei(0), m_dWeight(0.0), m_nTransitions(0) {}

CSpinHamiltonian::~CSpinHamiltonian() = default;

BOOL CSpinHamiltonian::Calculate(int nSpins, const double* pQuantum, const double* pShifts, const double* pCoupling,
                                 double dWeight, int nNuclei) {
  try {
    m_nSpins = nSpins;
    m_nNuclei = nNuclei;
    m_dWeight = dWeight;
    m_Quantum.assign(pQuantum, pQuantum + nSpins);
    m_Shifts.assign(pShifts, pShifts + nSpins);
    m_Coupling.assign(pCoupling, pCoupling + (size_t)nSpins * nSpins);
    m_Stride.assign(nSpins, 1);
    m_nStates = 1;
    for (int k = nSpins - 1; k >= 0; k--) {
      m_Stride[k] = m_nStates;
      m_nStates *= Multiplicity(m_Quantum[k]);
    }
    const int D = m_nStates;
    const size_t G = (size_t)nSpins;

    // Product basis: the last spin varies fastest, m from I down to -I.
    m_M.assign((size_t)D * G, 0.0);
    std::vector<double> fz(D, 0.0);
    for (int p = 0; p < D; p++) {
      int rest = p;
      for (int k = nSpins - 1; k >= 0; k--) {
        const int r = Multiplicity(m_Quantum[k]);
        const double m = m_Quantum[k] - rest % r;
        rest /= r;
        m_M[p * G + k] = m;
        fz[p] += m;
      }
    }
    m_Order.resize(D);
    std::iota(m_Order.begin(), m_Order.end(), 0);
    std::stable_sort(m_Order.begin(), m_Order.end(), [&fz](int a, int b) { return fz[a] < fz[b]; });
    m_Position.resize(D);
    for (int s = 0; s < D; s++)
      m_Position[m_Order[s]] = s;

    // Fz blocks: runs of equal 2 Fz (an exact integer).
    std::vector<int> starts;
    for (int s = 0; s < D; s++)
      if (s == 0 || std::lround(2.0 * fz[m_Order[s]]) != std::lround(2.0 * fz[m_Order[s - 1]]))
        starts.push_back(s);
    starts.push_back(D);

    long long nTransitions = 0;
    for (size_t b = 0; b + 2 < starts.size(); b++)
      nTransitions += (long long)(starts[b + 1] - starts[b]) * (starts[b + 2] - starts[b + 1]);
    m_Frequencies.clear();
    m_Intensities.clear();
    m_Frequencies.reserve((size_t)nTransitions);
    m_Intensities.reserve((size_t)nTransitions);
    m_Eigenvalues.assign(D, 0.0);

    // Only two neighbouring blocks are held at a time.
    Block lower, upper;
    for (size_t b = 0; b + 1 < starts.size(); b++) {
      if (!Diagonalise(starts[b], starts[b + 1] - starts[b], upper)) {
        m_Frequencies.clear();
        m_Intensities.clear();
        m_nTransitions = 0;
        ReleaseWork();
        return FALSE;
      }
      if (b > 0)
        AddLines(lower, upper);
      std::swap(lower, upper);
    }
    m_nTransitions = (int)m_Frequencies.size();
    ReleaseWork();
    return TRUE;
  } catch (const std::bad_alloc&) {
    m_Frequencies.clear();
    m_Intensities.clear();
    m_nTransitions = 0;
    ReleaseWork();
    ReportErrorText("error allocating memory");
    return FALSE;
  }
}

// Only the lines and the energies are kept: a system may have many
// combinations, and their bases and inputs are not needed again.
void CSpinHamiltonian::ReleaseWork() {
  std::vector<double>().swap(m_Quantum);
  std::vector<double>().swap(m_Shifts);
  std::vector<double>().swap(m_Coupling);
  std::vector<int>().swap(m_Stride);
  std::vector<double>().swap(m_M);
  std::vector<int>().swap(m_Order);
  std::vector<int>().swap(m_Position);
}

// Builds the block of the Hamiltonian (Hz) and diagonalises it:
//   H(s, s) = sum_k shift_k m_k + sum_(k<l) J_kl m_k m_l
//   H(s, t) = J_kl / 2 <m_k + 1|I+|m_k> <m_l - 1|I-|m_l>
// for t the state s with spin k raised and spin l lowered.
BOOL CSpinHamiltonian::Diagonalise(int nStart, int nSize, Block& block) {
  const int n = nSize;
  const size_t G = (size_t)m_nSpins;
  block.nStart = nStart;
  block.nSize = n;
  block.store.assign((size_t)(n + 1) * (n + 1), 0.0);
  block.rows.resize(n + 1);
  for (int i = 0; i <= n; i++)
    block.rows[i] = block.store.data() + (size_t)i * (n + 1);
  double** a = block.rows.data();

  for (int r = 0; r < n; r++) {
    const int p = m_Order[nStart + r];
    const double* m = &m_M[p * G];
    double diagonal = 0.0;
    for (size_t k = 0; k < G; k++) {
      diagonal += m_Shifts[k] * m[k];
      for (size_t l = k + 1; l < G; l++)
        diagonal += m_Coupling[k * G + l] * m[k] * m[l];
    }
    a[r + 1][r + 1] = diagonal;
    for (size_t k = 0; k < G; k++) {
      const double Ik = m_Quantum[k];
      if (!(m[k] < Ik))
        continue;
      for (size_t l = 0; l < G; l++) {
        const double Il = m_Quantum[l];
        if (l == k || !(m[l] > -Il))
          continue;
        const double J = k < l ? m_Coupling[k * G + l] : m_Coupling[l * G + k];
        const int t = m_Position[p - m_Stride[k] + m_Stride[l]] - nStart;
        a[r + 1][t + 1] =
            0.5 * J * std::sqrt(Ik * (Ik + 1) - m[k] * (m[k] + 1)) * std::sqrt(Il * (Il + 1) - m[l] * (m[l] - 1));
      }
    }
  }

  std::vector<double> d(n + 1), e(n + 1);
  tridiagonalize(a, n, d.data(), e.data());
  // The rotations of the QL sweeps then run along rows.
  for (int r = 1; r <= n; r++)
    for (int c = r + 1; c <= n; c++)
      std::swap(a[r][c], a[c][r]);
  if (!tqli_rows(d.data(), e.data(), n, a))
    return FALSE;
  for (int j = 0; j < n; j++)
    m_Eigenvalues[nStart + j] = d[j + 1];
  return TRUE;
}

// Lines between the eigenstates j of the lower block and k of the upper one
// (j outer): frequency E_k - E_j, amplitude <k| sum_r T(r, s) |j> with the
// scaled raising table T, intensity amplitude^2 / 2^(S-1) x weight x 2, so
// that all lines of a system add up to S / 2.
void CSpinHamiltonian::AddLines(const Block& lower, const Block& upper) {
  const int p = lower.nSize, q = upper.nSize;
  const size_t G = (size_t)m_nSpins;

  // The raising table's row r: at most G entries, spin by spin.
  std::vector<int> target((size_t)p * G);
  std::vector<double> element((size_t)p * G);
  std::vector<int> count(p, 0);
  for (int r = 0; r < p; r++) {
    const int prod = m_Order[lower.nStart + r];
    const double* m = &m_M[prod * G];
    for (size_t k = 0; k < G; k++) {
      const double Ik = m_Quantum[k];
      if (!(m[k] < Ik))
        continue;
      const int table = (int)(kTableScale * 0.5 * std::sqrt(Ik * (Ik + 1) - m[k] * (m[k] + 1)));
      target[r * G + count[r]] = m_Position[prod - m_Stride[k]] - upper.nStart;
      element[r * G + count[r]] = table * 1e-7;
      count[r]++;
    }
  }
  // W = T V_upper, row r of W summed spin by spin; each eigenvector of the
  // upper block is read once, along its row.
  std::vector<double> w((size_t)p * q);
  for (int c = 0; c < q; c++) {
    const double* v = upper.Vector(c);
    for (int r = 0; r < p; r++) {
      double sum = 0.0;
      for (int k = 0; k < count[r]; k++)
        sum += element[r * G + k] * v[target[r * G + k]];
      w[(size_t)r * q + c] = sum;
    }
  }
  // A = V_lower^T W in blocks of four eigenvectors of the lower block by
  // four columns of W, held in registers over the whole sum, the columns
  // taken a slice at a time so that it stays in cache; each amplitude adds
  // its terms in the order of r.
  const int kSlice = 64;
  std::vector<double> amplitude((size_t)p * q);
  for (int s0 = 0; s0 < q; s0 += kSlice) {
    const int s1 = std::min(q, s0 + kSlice);
    for (int j0 = 0; j0 < p; j0 += 4) {
      const int nj = std::min(4, p - j0);
      const double* v[4];
      for (int t = 0; t < 4; t++)
        v[t] = lower.Vector(j0 + std::min(t, nj - 1));
      for (int c0 = s0; c0 < s1; c0 += 4) {
        double acc[4][4];
        if (c0 + 4 <= s1) {
          DotBlock4x4(v, &w[c0], (size_t)q, p, acc);
        } else {
          for (int t = 0; t < 4; t++)
            for (int u = 0; u < s1 - c0; u++) {
              double sum = 0.0;
              for (int r = 0; r < p; r++)
                sum += v[t][r] * w[(size_t)r * q + c0 + u];
              acc[t][u] = sum;
            }
        }
        for (int t = 0; t < nj; t++)
          for (int u = 0; u < std::min(4, s1 - c0); u++)
            amplitude[(size_t)(j0 + t) * q + c0 + u] = acc[t][u];
      }
    }
  }
  const double norm = std::ldexp(1.0, m_nNuclei - 1);
  for (int j = 0; j < p; j++)
    for (int c = 0; c < q; c++) {
      const double a = amplitude[(size_t)j * q + c];
      m_Frequencies.push_back(m_Eigenvalues[upper.nStart + c] - m_Eigenvalues[lower.nStart + j]);
      m_Intensities.push_back(a * a / norm * m_dWeight * 2.0);
    }
}
