// The symmetric eigensolver as it was before its loops ran along rows:
// tridiagonalize and tqli in their textbook order. Kept as the reference
// that the faster loops must match bit for bit.
#pragma once

#include <cmath>

#include "onedim/processing/NumericalRoutines.h"

namespace legacy_eigen {

inline double SignOf(double a, double b) {
  return b >= 0.0 ? std::fabs(a) : -std::fabs(a);
}

inline void tridiagonalize(double** a, int n, double d[], double e[]) {
  for (int i = n; i >= 2; --i) {
    const int l = i - 1;
    double h = 0.0;
    if (l > 1) {
      double scale = 0.0;
      for (int k = 1; k <= l; ++k)
        scale += std::fabs(a[i][k]);
      if (scale == 0.0) {
        e[i] = a[i][l];
      } else {
        for (int k = 1; k <= l; ++k) {
          a[i][k] /= scale;
          h += a[i][k] * a[i][k];
        }
        double f = a[i][l];
        double g = f >= 0.0 ? -std::sqrt(h) : std::sqrt(h);
        e[i] = scale * g;
        h -= f * g;
        a[i][l] = f - g;
        f = 0.0;
        for (int j = 1; j <= l; ++j) {
          a[j][i] = a[i][j] / h;
          g = 0.0;
          for (int k = 1; k <= j; ++k)
            g += a[j][k] * a[i][k];
          for (int k = j + 1; k <= l; ++k)
            g += a[k][j] * a[i][k];
          e[j] = g / h;
          f += e[j] * a[i][j];
        }
        const double hh = f / (h + h);
        for (int j = 1; j <= l; ++j) {
          f = a[i][j];
          e[j] = g = e[j] - hh * f;
          for (int k = 1; k <= j; ++k)
            a[j][k] -= f * e[k] + g * a[i][k];
        }
      }
    } else {
      e[i] = a[i][l];
    }
    d[i] = h;
  }
  d[1] = 0.0;
  e[1] = 0.0;
  // Accumulate the transformations.
  for (int i = 1; i <= n; ++i) {
    const int l = i - 1;
    if (d[i] != 0.0) {
      for (int j = 1; j <= l; ++j) {
        double g = 0.0;
        for (int k = 1; k <= l; ++k)
          g += a[i][k] * a[k][j];
        for (int k = 1; k <= l; ++k)
          a[k][j] -= g * a[k][i];
      }
    }
    d[i] = a[i][i];
    a[i][i] = 1.0;
    for (int j = 1; j <= l; ++j)
      a[j][i] = a[i][j] = 0.0;
  }
}

inline int tqli(double d[], double e[], int n, double** z) {
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
        if (iter++ == 30)
          return 0;
        double g = (d[l + 1] - d[l]) / (2.0 * e[l]);
        double r = hypotenuse(g, 1.0);
        g = d[m] - d[l] + e[l] / (g + SignOf(r, g));
        double s = 1.0, c = 1.0, p = 0.0;
        int i;
        for (i = m - 1; i >= l; --i) {
          double f = s * e[i];
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
          for (int k = 1; k <= n; ++k) {
            f = z[k][i + 1];
            z[k][i + 1] = s * z[k][i] + c * f;
            z[k][i] = c * z[k][i] - s * f;
          }
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

}  // namespace legacy_eigen
