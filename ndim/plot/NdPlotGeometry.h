// What every 2D plot shares: the matrix it reads, the visible window of it
// and the mapping of matrix positions to pixels of the destination.
#pragma once

#include <cstddef>

#include "framework/base/WinTypes.h"

class CSpectrum2D;

// The first plane of a 2D set: rows of f2 points, one after the other. Only
// real parts are drawn; complex points are (re, im) pairs.
struct NdMatrix {
  const float* pData = nullptr;
  int nColumns = 0;  // points per row (f2)
  int nRows = 0;     // f1
  int nShift = 0;    // 0 real, 1 complex: index shift of a point

  float At(int column, int row) const { return pData[(static_cast<std::size_t>(row) * nColumns + column) << nShift]; }
  bool IsEmpty() const { return pData == nullptr || nColumns < 1 || nRows < 1; }
};

// The matrix of a set's first plane; empty when the set holds no 2D data.
NdMatrix MatrixOf(const CSpectrum2D& set);

// Columns and rows of the matrix on show; last column and last row exclusive.
struct NdWindow {
  int firstColumn = 0;
  int firstRow = 0;
  int lastColumn = 0;
  int lastRow = 0;

  int Columns() const { return lastColumn - firstColumn; }
  int Rows() const { return lastRow - firstRow; }
  bool IsEmpty() const { return Columns() < 1 || Rows() < 1; }
};

// The zoom rectangle (left, top = first column and row; right, bottom =
// last ones, exclusive) limited to the matrix, so that no plot reads beyond
// it whatever the zoom holds.
NdWindow ClampWindow(const RECT& zoom, const NdMatrix& m);

// A point of the window (column c + u, row r + v) to its pixel: every data
// point sits at the centre of its cell of pixels, and rows grow upwards.
class CNdPixelMap {
 public:
  CNdPixelMap(const NdWindow& window, const RECT& dest);
  int X(double column) const;
  int Y(double row) const;
  POINT Map(double column, double row) const {
    POINT p = {X(column), Y(row)};
    return p;
  }

 private:
  double m_left, m_bottom;           // destination
  double m_firstColumn, m_firstRow;  // of the window
  double m_sx, m_sy;                 // pixels per column and per row (sy negative)
};
