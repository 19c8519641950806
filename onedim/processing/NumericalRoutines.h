// Index-offset arrays and dense linear algebra in the textbook forms: arrays
// are addressed from the lower bound the caller gives (usually 1).
//
// Every routine that can fail returns 0 (or a null array) after reporting
// its text, so that the caller stops the operation; no routine loops
// without bound or hands back NaN in place of an answer.
#pragma once

// The message-box family (allocation of vector/matrix, gaussj, lfit, the
// tqli iteration limit) reports through the framework's error report
// (ReportErrorText): a message box in the programs, the error stream in
// tests and tools.
void numerror_box(const char* text);      // reports "Brivane run-time error..."
void numerror_message(const char* text);  // reports the text itself

// Error-stream family, used by the spin simulation.
void numerror(const char* text);
int* ivector(long nl, long nh);
double** dmatrix(long nrl, long nrh, long ncl, long nch);
int** imatrix(long nrl, long nrh, long ncl, long nch);
void free_ivector(int* v, long nl, long nh);
void free_dmatrix(double** m, long nrl, long nrh, long ncl, long nch);
void free_imatrix(int** m, long nrl, long nrh, long ncl, long nch);

// Message-box family, used by the least-squares fit and Gauss-Jordan.
float* vector(long nl, long nh);
int* ivector_box(long nl, long nh);
float** matrix(long nrl, long nrh, long ncl, long nch);
void free_vector(float* v, long nl, long nh);
void free_matrix(float** m, long nrl, long nrh, long ncl, long nch);

// sqrt(a^2 + b^2) without destructive overflow or underflow.
double hypotenuse(double a, double b);

// Householder reduction of the symmetric a[1..n][1..n] to tridiagonal form:
// d[1..n] diagonal, e[2..n] sub-diagonal (e[1] = 0), a the transformation.
// Reads the lower triangle; throws std::bad_alloc when n + 1 doubles of
// work space cannot be had.
void tridiagonalize(double** a, int n, double d[], double e[]);

// Eigenvalues d[1..n] (unsorted) and eigenvectors (columns of z) of the
// tridiagonal matrix left by tridiagonalize, by QL with implicit shifts.
// Returns 0 after reporting when an eigenvalue needs more than 30
// iterations; d and z are then not usable.
int tqli(double d[], double e[], int n, double** z);
// tqli with the eigenvectors as the rows of z (z starts as the transpose of
// tridiagonalize's transformation): the same numbers, along memory.
int tqli_rows(double d[], double e[], int n, double** z);

// Gauss-Jordan elimination with full pivoting: a[1..n][1..n] becomes its
// inverse and b[1..n][1..m] the solutions. Returns 0 after reporting
// "gaussj: Singular Matrix-1" or "-2", or when its work arrays cannot be
// allocated.
int gaussj(float** a, int n, float** b, int m);

// General linear least squares by the normal equations. ia[j] non-zero fits
// a[j], zero holds it. Returns 0 after reporting when nothing is to be
// fitted or the normal equations are singular; a and chisq are then
// unchanged.
typedef void (*LinearBasisFn)(float x, float afunc[], int ma);
int lfit(float x[], float y[], float sig[], int ndat, float a[], int ia[], int ma, float** covar, float* chisq,
         LinearBasisFn funcs);

// Spreads the mfit x mfit covariance over all ma coefficients.
void expand_covariance(float** covar, int ma, int ia[], int mfit);
