// Gauss-Jordan elimination and the general linear least-squares fit by the
// normal equations.
#include <cmath>
#include <utility>

#include "onedim/processing/NumericalRoutines.h"

namespace {

// Work arrays of gaussj, freed on every path.
struct PivotArrays {
  explicit PivotArrays(int n) : n(n), indxc(ivector_box(1, n)), indxr(ivector_box(1, n)), ipiv(ivector_box(1, n)) {}
  ~PivotArrays() {
    free_ivector(ipiv, 1, n);
    free_ivector(indxr, 1, n);
    free_ivector(indxc, 1, n);
  }
  bool ok() const { return indxc && indxr && ipiv; }
  int n;
  int* indxc;
  int* indxr;
  int* ipiv;
};

}  // namespace

int gaussj(float** a, int n, float** b, int m) {
  if (n < 1)
    return 1;
  PivotArrays w(n);
  if (!w.ok())
    return 0;
  for (int j = 1; j <= n; ++j)
    w.ipiv[j] = 0;

  for (int i = 1; i <= n; ++i) {
    float big = 0.0f;
    int irow = 0, icol = 0;
    for (int j = 1; j <= n; ++j) {
      if (w.ipiv[j] == 1)
        continue;
      for (int k = 1; k <= n; ++k) {
        if (w.ipiv[k] == 0) {
          if (std::fabs(a[j][k]) >= big) {
            big = std::fabs(a[j][k]);
            irow = j;
            icol = k;
          }
        } else if (w.ipiv[k] > 1) {
          numerror_message("gaussj: Singular Matrix-1");
          return 0;
        }
      }
    }
    // No candidate at all means every remaining entry is NaN.
    if (icol == 0) {
      numerror_message("gaussj: Singular Matrix-2");
      return 0;
    }
    ++w.ipiv[icol];
    if (irow != icol) {
      for (int l = 1; l <= n; ++l)
        std::swap(a[irow][l], a[icol][l]);
      for (int l = 1; l <= m; ++l)
        std::swap(b[irow][l], b[icol][l]);
    }
    w.indxr[i] = irow;
    w.indxc[i] = icol;
    if (a[icol][icol] == 0.0f) {
      numerror_message("gaussj: Singular Matrix-2");
      return 0;
    }
    const float pivinv = 1.0f / a[icol][icol];
    a[icol][icol] = 1.0f;
    for (int l = 1; l <= n; ++l)
      a[icol][l] *= pivinv;
    for (int l = 1; l <= m; ++l)
      b[icol][l] *= pivinv;
    for (int ll = 1; ll <= n; ++ll) {
      if (ll == icol)
        continue;
      const float dum = a[ll][icol];
      a[ll][icol] = 0.0f;
      for (int l = 1; l <= n; ++l)
        a[ll][l] -= a[icol][l] * dum;
      for (int l = 1; l <= m; ++l)
        b[ll][l] -= b[icol][l] * dum;
    }
  }
  for (int l = n; l >= 1; --l) {
    if (w.indxr[l] != w.indxc[l])
      for (int k = 1; k <= n; ++k)
        std::swap(a[k][w.indxr[l]], a[k][w.indxc[l]]);
  }
  // A pivot that is tiny but not zero overflows instead: still singular.
  for (int j = 1; j <= n; ++j) {
    for (int k = 1; k <= n; ++k)
      if (!std::isfinite(a[j][k])) {
        numerror_message("gaussj: Singular Matrix-2");
        return 0;
      }
    for (int k = 1; k <= m; ++k)
      if (!std::isfinite(b[j][k])) {
        numerror_message("gaussj: Singular Matrix-2");
        return 0;
      }
  }
  return 1;
}

void expand_covariance(float** covar, int ma, int ia[], int mfit) {
  for (int i = mfit + 1; i <= ma; ++i)
    for (int j = 1; j <= i; ++j)
      covar[i][j] = covar[j][i] = 0.0f;
  int k = mfit;
  for (int j = ma; j >= 1; --j) {
    if (!ia[j])
      continue;
    for (int i = 1; i <= ma; ++i)
      std::swap(covar[i][k], covar[i][j]);
    for (int i = 1; i <= ma; ++i)
      std::swap(covar[k][i], covar[j][i]);
    --k;
  }
}

int lfit(float x[], float y[], float sig[], int ndat, float a[], int ia[], int ma, float** covar, float* chisq,
         LinearBasisFn funcs) {
  int mfit = 0;
  for (int j = 1; j <= ma; ++j)
    if (ia[j])
      ++mfit;
  if (mfit == 0) {
    numerror_message("lfit: no parameters to be fitted");
    return 0;
  }
  for (int i = 1; i <= ndat; ++i)
    if (!(sig[i] != 0.0f)) {
      numerror_message("lfit: zero standard deviation");
      return 0;
    }

  float** beta = matrix(1, ma, 1, 1);
  float* afunc = vector(1, ma);
  if (!beta || !afunc) {
    free_vector(afunc, 1, ma);
    free_matrix(beta, 1, ma, 1, 1);
    return 0;
  }

  for (int j = 1; j <= mfit; ++j) {
    for (int k = 1; k <= mfit; ++k)
      covar[j][k] = 0.0f;
    beta[j][1] = 0.0f;
  }
  for (int i = 1; i <= ndat; ++i) {
    funcs(x[i], afunc, ma);
    float ym = y[i];
    if (mfit < ma)
      for (int j = 1; j <= ma; ++j)
        if (!ia[j])
          ym -= a[j] * afunc[j];
    const float sig2i = 1.0f / (sig[i] * sig[i]);
    for (int j = 0, l = 1; l <= ma; ++l) {
      if (!ia[l])
        continue;
      const float wt = afunc[l] * sig2i;
      ++j;
      for (int k = 0, mm = 1; mm <= l; ++mm)
        if (ia[mm])
          covar[j][++k] += wt * afunc[mm];
      beta[j][1] += ym * wt;
    }
  }
  for (int j = 2; j <= mfit; ++j)
    for (int k = 1; k < j; ++k)
      covar[k][j] = covar[j][k];

  int ok = gaussj(covar, mfit, beta, 1);
  if (ok) {
    for (int j = 0, l = 1; l <= ma; ++l)
      if (ia[l])
        a[l] = beta[++j][1];
    float sum2 = 0.0f;
    for (int i = 1; i <= ndat; ++i) {
      funcs(x[i], afunc, ma);
      float sum = 0.0f;
      for (int j = 1; j <= ma; ++j)
        sum += a[j] * afunc[j];
      const float r = (y[i] - sum) / sig[i];
      sum2 += r * r;
    }
    *chisq = sum2;
    expand_covariance(covar, ma, ia, mfit);
  }
  free_vector(afunc, 1, ma);
  free_matrix(beta, 1, ma, 1, 1);
  return ok;
}
