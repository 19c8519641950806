// Eigenvalues and eigenvectors of real symmetric matrices: Householder
// reduction to tridiagonal form, then QL with implicit shifts.
#include <algorithm>
#include <cmath>
#include <vector>

#include "onedim/processing/EigenKernels.h"
#include "onedim/processing/NumericalRoutines.h"

namespace {

// An eigenvalue that has not converged after this many QL sweeps will not:
// the input holds NaN or infinity.
const int kMaxIterations = 30;

double SignOf(double a, double b) {
  return b >= 0.0 ? std::fabs(a) : -std::fabs(a);
}

// e[j] = sum over k = 1 .. j of a[j][k] u[k] (k in order) for j = 1 .. l;
// four rows at a time, so that their sums do not wait on each other.
void RowProducts(double** a, const double* u, int l, double e[]) {
  int j = 1;
  for (; j + 3 <= l; j += 4) {
    const double *r0 = a[j], *r1 = a[j + 1], *r2 = a[j + 2], *r3 = a[j + 3];
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
    for (int k = 1; k <= j; ++k) {
      const double uk = u[k];
      s0 += r0[k] * uk;
      s1 += r1[k] * uk;
      s2 += r2[k] * uk;
      s3 += r3[k] * uk;
    }
    s1 += r1[j + 1] * u[j + 1];
    s2 += r2[j + 1] * u[j + 1];
    s2 += r2[j + 2] * u[j + 2];
    s3 += r3[j + 1] * u[j + 1];
    s3 += r3[j + 2] * u[j + 2];
    s3 += r3[j + 3] * u[j + 3];
    e[j] = s0;
    e[j + 1] = s1;
    e[j + 2] = s2;
    e[j + 3] = s3;
  }
  for (; j <= l; ++j) {
    const double* row = a[j];
    double g = 0.0;
    for (int k = 1; k <= j; ++k)
      g += row[k] * u[k];
    e[j] = g;
  }
}

}  // namespace

double hypotenuse(double a, double b) {
  const double absa = std::fabs(a);
  const double absb = std::fabs(b);
  if (absa > absb) {
    const double q = absb / absa;
    return absa * std::sqrt(1.0 + q * q);
  }
  if (absb == 0.0)
    return 0.0;
  const double q = absa / absb;
  return absb * std::sqrt(1.0 + q * q);
}

// The textbook reduction, with its loops turned so that they run along the
// rows of the lower triangle (the order of memory) instead of down its
// columns; every sum adds its terms in the textbook's order, so the results
// are the textbook's to the bit.
void tridiagonalize(double** a, int n, double d[], double e[]) {
  for (int i = n; i >= 2; --i) {
    const int l = i - 1;
    double h = 0.0;
    double* u = a[i];
    if (l > 1) {
      double scale = 0.0;
      for (int k = 1; k <= l; ++k)
        scale += std::fabs(u[k]);
      if (scale == 0.0) {
        e[i] = u[l];
      } else {
        for (int k = 1; k <= l; ++k) {
          u[k] /= scale;
          h += u[k] * u[k];
        }
        double f = u[l];
        double g = f >= 0.0 ? -std::sqrt(h) : std::sqrt(h);
        e[i] = scale * g;
        h -= f * g;
        u[l] = f - g;
        // e[j] = (A u)_j / h: first each row's part up to the diagonal,
        // then the part below it, added row by row in the same order.
        for (int j = 1; j <= l; ++j)
          a[j][i] = u[j] / h;
        RowProducts(a, u, l, e);
        for (int k = 2; k <= l; ++k)
          AddMultiple(e + 1, a[k] + 1, u[k], k - 1);
        f = 0.0;
        for (int j = 1; j <= l; ++j) {
          e[j] /= h;
          f += e[j] * u[j];
        }
        const double hh = f / (h + h);
        for (int j = 1; j <= l; ++j)
          e[j] -= hh * u[j];
        for (int j = 1; j <= l; ++j)
          SubtractRankTwo(a[j] + 1, e + 1, u + 1, u[j], e[j], j);
      }
    } else {
      e[i] = u[l];
    }
    d[i] = h;
  }
  d[1] = 0.0;
  e[1] = 0.0;
  // Accumulate the transformations: g_j = (u^T Q)_j for every column j at
  // once, row by row, then Q -= (Q u / h) g^T row by row.
  std::vector<double> g(n + 1);
  for (int i = 1; i <= n; ++i) {
    const int l = i - 1;
    if (d[i] != 0.0) {
      const double* u = a[i];
      std::fill(g.begin() + 1, g.begin() + i, 0.0);
      for (int k = 1; k <= l; ++k)
        AddMultiple(g.data() + 1, a[k] + 1, u[k], l);
      for (int k = 1; k <= l; ++k)
        AddMultiple(a[k] + 1, g.data() + 1, -a[k][i], l);
    }
    d[i] = a[i][i];
    a[i][i] = 1.0;
    for (int j = 1; j <= l; ++j)
      a[j][i] = a[i][j] = 0.0;
  }
}

namespace {

// QL with implicit shifts on the tridiagonal d, e; rotate(i, s, c) turns
// the eigenvectors i and i + 1 as each plane rotation is made.
template <typename Rotate>
int ImplicitQl(double d[], double e[], int n, Rotate rotate) {
  for (int i = 2; i <= n; ++i)
    e[i - 1] = e[i];
  if (n >= 1)
    e[n] = 0.0;
  for (int l = 1; l <= n; ++l) {
    int iter = 0;
    int m;
    do {
      for (m = l; m <= n - 1; ++m) {
        const double dd = std::fabs(d[m]) + std::fabs(d[m + 1]);
        if (std::fabs(e[m]) + dd == dd)
          break;
      }
      if (m != l) {
        if (iter++ == kMaxIterations) {
          numerror_box("Too many iterations in tqli");
          return 0;
        }
        double g = (d[l + 1] - d[l]) / (2.0 * e[l]);
        double r = hypotenuse(g, 1.0);
        g = d[m] - d[l] + e[l] / (g + SignOf(r, g));
        double s = 1.0, c = 1.0, p = 0.0;
        int i;
        for (i = m - 1; i >= l; --i) {
          const double f = s * e[i];
          const double b = c * e[i];
          e[i + 1] = (r = hypotenuse(f, g));
          if (r == 0.0) {
            // Underflow: the matrix splits here; restart from this block.
            d[i + 1] -= p;
            e[m] = 0.0;
            break;
          }
          s = f / r;
          c = g / r;
          g = d[i + 1] - p;
          r = (d[i] - g) * s + 2.0 * c * b;
          d[i + 1] = g + (p = s * r);
          g = c * r - b;
          rotate(i, s, c);
        }
        if (r == 0.0 && i >= l)
          continue;
        d[l] -= p;
        e[l] = g;
        e[m] = 0.0;
      }
    } while (m != l);
  }
  return 1;
}

}  // namespace

int tqli(double d[], double e[], int n, double** z) {
  return ImplicitQl(d, e, n, [z, n](int i, double s, double c) {
    for (int k = 1; k <= n; ++k) {
      const double f = z[k][i + 1];
      z[k][i + 1] = s * z[k][i] + c * f;
      z[k][i] = c * z[k][i] - s * f;
    }
  });
}

int tqli_rows(double d[], double e[], int n, double** z) {
  return ImplicitQl(d, e, n, [z, n](int i, double s, double c) { RotatePair(z[i] + 1, z[i + 1] + 1, s, c, n); });
}
