#include "onedim/processing/NumericalRoutines.h"

#include "framework/base/Exception.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "numerics/Constants.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
// The allocation-failure tests ask for more memory than exists; the
// allocators must see a null pointer, as without the sanitizer.
extern "C" const char* __asan_default_options() {
  return "allocator_may_return_null=1";
}
#endif
#endif

namespace {

std::vector<std::string> g_messages;

struct CaptureMessages {
  CaptureMessages() {
    g_messages.clear();
    previous = SetReportErrorHook([](LPCSTR text, UINT) {
      g_messages.push_back(text);
      return IDOK;
    });
  }
  ~CaptureMessages() { SetReportErrorHook(previous); }
  PFNREPORTERROR previous;
};

TEST(NumericalRoutines, HypotenuseAvoidsOverflow) {
  EXPECT_EQ(hypotenuse(0, 0), 0.0);
  EXPECT_DOUBLE_EQ(hypotenuse(3e200, 4e200), 5e200);
  EXPECT_DOUBLE_EQ(hypotenuse(-3e-200, 4e-200), 5e-200);
  EXPECT_DOUBLE_EQ(hypotenuse(0, -2), 2.0);
}

TEST(NumericalRoutines, IndexOffsetArraysUseTheirBounds) {
  int* v = ivector(1, 1);
  ASSERT_NE(v, nullptr);
  v[1] = 42;
  EXPECT_EQ(v[1], 42);
  free_ivector(v, 1, 1);

  float* f = vector(-3, 3);
  ASSERT_NE(f, nullptr);
  for (int i = -3; i <= 3; ++i)
    f[i] = static_cast<float>(i);
  EXPECT_EQ(f[-3] + f[3], 0.0f);
  free_vector(f, -3, 3);

  double** m = dmatrix(1, 3, 0, 4);
  ASSERT_NE(m, nullptr);
  for (int i = 1; i <= 3; ++i)
    for (int j = 0; j <= 4; ++j)
      m[i][j] = i * 10 + j;
  EXPECT_EQ(&m[2][0], &m[1][4] + 1);  // one contiguous block
  EXPECT_EQ(m[3][4], 34.0);
  free_dmatrix(m, 1, 3, 0, 4);

  int** im = imatrix(0, 0, 0, 0);
  ASSERT_NE(im, nullptr);
  im[0][0] = 5;
  free_imatrix(im, 0, 0, 0, 0);
}

TEST(NumericalRoutines, AllocationFailureIsReportedAndReturnsNull) {
  CaptureMessages capture;
  EXPECT_EQ(vector(5, 4), nullptr);
  EXPECT_EQ(matrix(1, 0, 1, 1), nullptr);
  EXPECT_EQ(matrix(1, 1L << 20, 0, 0x7fffffffL), nullptr);
  ASSERT_EQ(g_messages.size(), 3u);
  EXPECT_EQ(g_messages[0], "allocation failure in vector()");
  EXPECT_EQ(g_messages[1], "allocation failure 1 in matrix()");
  EXPECT_EQ(g_messages[2], "allocation failure 2 in matrix()");
  EXPECT_EQ(ivector(3, 1), nullptr);  // error stream: no box
  EXPECT_EQ(g_messages.size(), 3u);
}

// Symmetric eigenproblem through tridiagonalize and tqli; returns sorted
// eigenvalues and checks A v = lambda v for every column.
std::vector<double> Eigenvalues(const std::vector<std::vector<double>>& A, bool* ok) {
  const int n = static_cast<int>(A.size());
  double** a = dmatrix(1, n, 1, n);
  std::vector<double> d(n + 1), e(n + 1);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j)
      a[i][j] = A[i - 1][j - 1];
  tridiagonalize(a, n, d.data(), e.data());
  *ok = tqli(d.data(), e.data(), n, a) != 0;
  if (*ok) {
    for (int k = 1; k <= n; ++k) {
      double norm = 0;
      for (int i = 1; i <= n; ++i) {
        double av = 0;
        for (int j = 1; j <= n; ++j)
          av += A[i - 1][j - 1] * a[j][k];
        EXPECT_NEAR(av, d[k] * a[i][k], 1e-9 * std::max(1.0, std::fabs(d[k])));
        norm += a[i][k] * a[i][k];
      }
      EXPECT_NEAR(norm, 1.0, 1e-12);
    }
  }
  free_dmatrix(a, 1, n, 1, n);
  std::vector<double> out(d.begin() + 1, d.end());
  std::sort(out.begin(), out.end());
  return out;
}

TEST(NumericalRoutines, EigenvaluesOfKnownMatrices) {
  bool ok = false;
  std::vector<double> one = Eigenvalues({{7.5}}, &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(one[0], 7.5);

  std::vector<double> two = Eigenvalues({{2, 1}, {1, 2}}, &ok);
  ASSERT_TRUE(ok);
  EXPECT_NEAR(two[0], 1.0, 1e-12);
  EXPECT_NEAR(two[1], 3.0, 1e-12);

  // Second-difference matrix: 2 - 2 cos(k pi / (n + 1)).
  const int n = 12;
  std::vector<std::vector<double>> T(n, std::vector<double>(n, 0.0));
  for (int i = 0; i < n; ++i) {
    T[i][i] = 2;
    if (i + 1 < n)
      T[i][i + 1] = T[i + 1][i] = -1;
  }
  std::vector<double> t = Eigenvalues(T, &ok);
  ASSERT_TRUE(ok);
  for (int k = 1; k <= n; ++k)
    EXPECT_NEAR(t[k - 1], 2 - 2 * std::cos(k * kPi / (n + 1)), 1e-10);
}

// A random symmetric matrix built as Q diag(lambda) Q^T from known
// eigenvalues and a product of Givens rotations.
TEST(NumericalRoutines, EigenvaluesOfRandomSymmetricMatrices) {
  std::mt19937 gen(12345);
  std::uniform_real_distribution<double> dist(-10.0, 10.0);
  for (int n : {3, 8, 20}) {
    std::vector<double> lambda(n);
    for (double& l : lambda)
      l = dist(gen);
    std::vector<std::vector<double>> Q(n, std::vector<double>(n, 0.0));
    for (int i = 0; i < n; ++i)
      Q[i][i] = 1;
    for (int r = 0; r < 4 * n; ++r) {
      const int p = r % n, q = (r * 7 + 3) % n;
      if (p == q)
        continue;
      const double th = dist(gen), c = std::cos(th), s = std::sin(th);
      for (int i = 0; i < n; ++i) {
        const double a = Q[i][p], b = Q[i][q];
        Q[i][p] = c * a - s * b;
        Q[i][q] = s * a + c * b;
      }
    }
    std::vector<std::vector<double>> A(n, std::vector<double>(n, 0.0));
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j)
        for (int k = 0; k < n; ++k)
          A[i][j] += Q[i][k] * lambda[k] * Q[j][k];
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < i; ++j)
        A[i][j] = A[j][i];
    bool ok = false;
    std::vector<double> got = Eigenvalues(A, &ok);
    ASSERT_TRUE(ok);
    std::sort(lambda.begin(), lambda.end());
    for (int k = 0; k < n; ++k)
      EXPECT_NEAR(got[k], lambda[k], 1e-10) << n;
  }
}

TEST(NumericalRoutines, TqliGivesUpOnNaNInsteadOfLooping) {
  CaptureMessages capture;
  const int n = 3;
  double** z = dmatrix(1, n, 1, n);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j)
      z[i][j] = i == j;
  double d[4] = {0, 1, NAN, 3}, e[4] = {0, 0, 1, 1};
  EXPECT_EQ(tqli(d, e, n, z), 0);
  ASSERT_EQ(g_messages.size(), 1u);
  EXPECT_EQ(g_messages[0], "Brivane run-time error...");
  free_dmatrix(z, 1, n, 1, n);
}

TEST(NumericalRoutines, GaussJordanInvertsAndSolves) {
  float** a = matrix(1, 3, 1, 3);
  float** b = matrix(1, 3, 1, 1);
  const float A[3][3] = {{2, 1, 1}, {1, 3, 2}, {1, 0, 0}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      a[i + 1][j + 1] = A[i][j];
  b[1][1] = 4;
  b[2][1] = 5;
  b[3][1] = 6;
  ASSERT_EQ(gaussj(a, 3, b, 1), 1);
  // x = (6, 15, -23)
  EXPECT_NEAR(b[1][1], 6, 1e-4);
  EXPECT_NEAR(b[2][1], 15, 1e-4);
  EXPECT_NEAR(b[3][1], -23, 1e-4);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      float s = 0;
      for (int k = 0; k < 3; ++k)
        s += A[i][k] * a[k + 1][j + 1];
      EXPECT_NEAR(s, i == j ? 1.0f : 0.0f, 1e-5);
    }
  free_matrix(b, 1, 3, 1, 1);
  free_matrix(a, 1, 3, 1, 3);
}

TEST(NumericalRoutines, SingularSystemIsReportedNotReturnedAsNaN) {
  CaptureMessages capture;
  float** a = matrix(1, 2, 1, 2);
  float** b = matrix(1, 2, 1, 1);
  a[1][1] = 1;
  a[1][2] = 2;
  a[2][1] = 2;
  a[2][2] = 4;
  b[1][1] = b[2][1] = 1;
  EXPECT_EQ(gaussj(a, 2, b, 1), 0);
  ASSERT_EQ(g_messages.size(), 1u);
  EXPECT_EQ(g_messages[0].rfind("gaussj: Singular Matrix-", 0), 0u);
  a[1][1] = a[1][2] = a[2][1] = a[2][2] = 0;
  EXPECT_EQ(gaussj(a, 2, b, 1), 0);
  free_matrix(b, 1, 2, 1, 1);
  free_matrix(a, 1, 2, 1, 2);
}

void Poly(float x, float afunc[], int ma) {
  afunc[1] = 1.0f;
  for (int j = 2; j <= ma; ++j)
    afunc[j] = afunc[j - 1] * x;
}

TEST(NumericalRoutines, LinearFitRecoversAPolynomialWithHeldCoefficient) {
  const int n = 20, ma = 3;
  float x[n + 1], y[n + 1], sig[n + 1];
  for (int i = 1; i <= n; ++i) {
    x[i] = 0.1f * i;
    y[i] = 1.5f - 2.0f * x[i] + 0.5f * x[i] * x[i];
    sig[i] = 1.0f;
  }
  float a[ma + 1] = {0, 0, 0, 0.5f};
  int ia[ma + 1] = {0, 1, 1, 0};  // hold the quadratic term
  float** covar = matrix(1, ma, 1, ma);
  float chisq = -1;
  ASSERT_EQ(lfit(x, y, sig, n, a, ia, ma, covar, &chisq, Poly), 1);
  EXPECT_NEAR(a[1], 1.5f, 1e-4);
  EXPECT_NEAR(a[2], -2.0f, 1e-4);
  EXPECT_EQ(a[3], 0.5f);
  EXPECT_NEAR(chisq, 0.0f, 1e-6);
  // The held coefficient's row and column are zero after the expansion.
  for (int j = 1; j <= ma; ++j) {
    EXPECT_EQ(covar[3][j], 0.0f);
    EXPECT_EQ(covar[j][3], 0.0f);
  }
  EXPECT_GT(covar[1][1], 0.0f);
  free_matrix(covar, 1, ma, 1, ma);
}

TEST(NumericalRoutines, LinearFitWithNothingToFitIsReported) {
  CaptureMessages capture;
  float x[3] = {0, 1, 2}, y[3] = {0, 1, 2}, sig[3] = {0, 1, 1};
  float a[3] = {0, 7, 8};
  int ia[3] = {0, 0, 0};
  float** covar = matrix(1, 2, 1, 2);
  float chisq = -1;
  EXPECT_EQ(lfit(x, y, sig, 2, a, ia, 2, covar, &chisq, Poly), 0);
  ASSERT_EQ(g_messages.size(), 1u);
  EXPECT_EQ(g_messages[0], "lfit: no parameters to be fitted");
  EXPECT_EQ(chisq, -1);
  // A singular design (every x equal) is reported, and a stays as it was.
  float xs[4] = {0, 1, 1, 1}, ys[4] = {0, 1, 2, 3}, ss[4] = {0, 1, 1, 1};
  int both[3] = {0, 1, 1};
  EXPECT_EQ(lfit(xs, ys, ss, 3, a, both, 2, covar, &chisq, Poly), 0);
  EXPECT_EQ(a[1], 7);
  EXPECT_EQ(a[2], 8);
  free_matrix(covar, 1, 2, 1, 2);
}

}  // namespace
