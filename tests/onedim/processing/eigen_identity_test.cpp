// The eigensolver whose loops run along rows, on each vector unit, gives
// the textbook loops' numbers bit for bit: the transformation and the
// tridiagonal form, then the eigenvalues and eigenvectors (as columns from
// tqli, as rows from tqli_rows).
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "numerics/VectorUnit.h"
#include "onedim/processing/NumericalRoutines.h"
#include "tests/onedim/processing/legacy_eigen.h"

namespace {

struct Matrix {
  explicit Matrix(int n) : n(n), a(dmatrix(1, n, 1, n)) {}
  ~Matrix() { free_dmatrix(a, 1, n, 1, n); }
  Matrix(const Matrix&) = delete;
  Matrix& operator=(const Matrix&) = delete;
  bool Same(const Matrix& other, bool bTransposed) const {
    for (int r = 1; r <= n; ++r)
      for (int c = 1; c <= n; ++c)
        if (std::memcmp(&a[r][c], bTransposed ? &other.a[c][r] : &other.a[r][c], sizeof(double)) != 0)
          return false;
    return true;
  }
  int n;
  double** a;
};

bool SameBits(const std::vector<double>& x, const std::vector<double>& y) {
  return std::memcmp(x.data() + 1, y.data() + 1, sizeof(double) * (x.size() - 1)) == 0;
}

// Random symmetric matrices, with exact zeros and a repeated row so that
// the reduction meets its zero-scale case, of sizes up to one past a
// vector's width and then larger.
TEST(EigenIdentity, RowLoopsGiveTheTextbookNumbersOnEveryVectorUnit) {
  std::mt19937 gen(140);
  std::uniform_real_distribution<double> value(-50.0, 50.0);
  const VectorUnit widest = WidestVectorUnit();
  for (int unit = (int)VectorUnit::kScalar; unit <= (int)widest; ++unit) {
    LimitVectorUnit((VectorUnit)unit);
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 31, 64, 97, 200}) {
      Matrix mine(n), former(n), rows(n);
      for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= r; ++c) {
          const double v = (r + c) % 5 == 0 ? 0.0 : value(gen);
          mine.a[r][c] = mine.a[c][r] = former.a[r][c] = former.a[c][r] = v;
        }
      if (n > 4)
        for (int c = 1; c < n; ++c)
          mine.a[n][c] = former.a[n][c] = 0.0;  // a zero row below the diagonal
      std::vector<double> d(n + 1), e(n + 1), fd(n + 1), fe(n + 1);
      tridiagonalize(mine.a, n, d.data(), e.data());
      legacy_eigen::tridiagonalize(former.a, n, fd.data(), fe.data());
      ASSERT_TRUE(SameBits(d, fd) && SameBits(e, fe) && mine.Same(former, false)) << "n " << n << " unit " << unit;

      for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c)
          rows.a[c][r] = mine.a[r][c];
      std::vector<double> rd = d, re = e;
      ASSERT_EQ(tqli(d.data(), e.data(), n, mine.a), 1);
      ASSERT_EQ(legacy_eigen::tqli(fd.data(), fe.data(), n, former.a), 1);
      ASSERT_EQ(tqli_rows(rd.data(), re.data(), n, rows.a), 1);
      EXPECT_TRUE(SameBits(d, fd) && mine.Same(former, false)) << "tqli, n " << n << " unit " << unit;
      EXPECT_TRUE(SameBits(rd, fd) && rows.Same(former, true)) << "tqli_rows, n " << n << " unit " << unit;
    }
  }
  LimitVectorUnit(widest);
}

}  // namespace
