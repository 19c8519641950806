// Index-offset vectors and matrices. A vector of nl ... nh is one block of
// nh - nl + 2 elements whose second element is index nl; a matrix is one
// block of row pointers and one contiguous data block, so that it costs two
// allocations whatever its size.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "framework/base/Exception.h"
#include "onedim/processing/NumericalRoutines.h"

namespace {

void ReportBox(const char* text) {
  ReportErrorText(text, MB_OK);
}

// Elements of nl ... nh plus the spare one in front; 0 when the range is
// empty or its size does not fit in memory.
template <typename T>
std::size_t BlockCount(long nl, long nh) {
  if (nh < nl)
    return 0;
  const unsigned long long count = static_cast<unsigned long long>(nh - nl) + 2;
  if (count > SIZE_MAX / sizeof(T))
    return 0;
  return static_cast<std::size_t>(count);
}

template <typename T>
T* AllocVector(long nl, long nh) {
  const std::size_t count = BlockCount<T>(nl, nh);
  if (count == 0)
    return nullptr;
  T* block = static_cast<T*>(std::calloc(count, sizeof(T)));
  if (!block)
    return nullptr;
  return block - nl + 1;
}

template <typename T>
void FreeVector(T* v, long nl) {
  if (v)
    std::free(v + nl - 1);
}

// Returns the matrix or null; failure 1 is the row pointers, 2 the data.
template <typename T>
T** AllocMatrix(long nrl, long nrh, long ncl, long nch, int* failure) {
  *failure = 1;
  if (nrh < nrl || nch < ncl)
    return nullptr;
  const unsigned long long nrow = static_cast<unsigned long long>(nrh - nrl) + 1;
  const unsigned long long ncol = static_cast<unsigned long long>(nch - ncl) + 1;
  if (nrow + 1 > SIZE_MAX / sizeof(T*))
    return nullptr;
  T** rows = static_cast<T**>(std::calloc(static_cast<std::size_t>(nrow + 1), sizeof(T*)));
  if (!rows)
    return nullptr;
  rows = rows + 1 - nrl;

  *failure = 2;
  const unsigned long long cells = nrow * ncol + 1;
  T* data = nullptr;
  if ((cells - 1) / ncol == nrow && cells <= SIZE_MAX / sizeof(T))
    data = static_cast<T*>(std::calloc(static_cast<std::size_t>(cells), sizeof(T)));
  if (!data) {
    std::free(rows + nrl - 1);
    return nullptr;
  }
  rows[nrl] = data + 1 - ncl;
  for (long i = nrl + 1; i <= nrh; ++i)
    rows[i] = rows[i - 1] + ncol;
  *failure = 0;
  return rows;
}

template <typename T>
void FreeMatrix(T** m, long nrl, long ncl) {
  if (!m)
    return;
  std::free(m[nrl] + ncl - 1);
  std::free(m + nrl - 1);
}

const char* MatrixFailureText(int failure) {
  return failure == 1 ? "allocation failure 1 in matrix()" : "allocation failure 2 in matrix()";
}

}  // namespace

// The message deliberately names the program, not the routine's detail.
void numerror_box(const char* text) {
  (void)text;
  ReportBox("Brivane run-time error...");
}

void numerror_message(const char* text) {
  ReportBox(text);
}

void numerror(const char* text) {
  std::fprintf(stderr, "Numerical Recipes run-time error...\n");
  std::fprintf(stderr, "%s\n", text);
  std::fprintf(stderr, "...now exiting to system...\n");
}

int* ivector(long nl, long nh) {
  int* v = AllocVector<int>(nl, nh);
  if (!v)
    numerror("allocation failure in ivector()");
  return v;
}

double** dmatrix(long nrl, long nrh, long ncl, long nch) {
  int failure = 0;
  double** m = AllocMatrix<double>(nrl, nrh, ncl, nch, &failure);
  if (!m)
    numerror(MatrixFailureText(failure));
  return m;
}

int** imatrix(long nrl, long nrh, long ncl, long nch) {
  int failure = 0;
  int** m = AllocMatrix<int>(nrl, nrh, ncl, nch, &failure);
  if (!m)
    numerror(MatrixFailureText(failure));
  return m;
}

void free_ivector(int* v, long nl, long nh) {
  FreeVector(v, nl);
}
void free_dmatrix(double** m, long nrl, long nrh, long ncl, long nch) {
  FreeMatrix(m, nrl, ncl);
}
void free_imatrix(int** m, long nrl, long nrh, long ncl, long nch) {
  FreeMatrix(m, nrl, ncl);
}

float* vector(long nl, long nh) {
  float* v = AllocVector<float>(nl, nh);
  if (!v)
    ReportBox("allocation failure in vector()");
  return v;
}

int* ivector_box(long nl, long nh) {
  int* v = AllocVector<int>(nl, nh);
  if (!v)
    ReportBox("allocation failure in ivector()");
  return v;
}

float** matrix(long nrl, long nrh, long ncl, long nch) {
  int failure = 0;
  float** m = AllocMatrix<float>(nrl, nrh, ncl, nch, &failure);
  if (!m)
    ReportBox(MatrixFailureText(failure));
  return m;
}

void free_vector(float* v, long nl, long nh) {
  FreeVector(v, nl);
}
void free_matrix(float** m, long nrl, long nrh, long ncl, long nch) {
  FreeMatrix(m, nrl, ncl);
}
