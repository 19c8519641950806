#include "onedim/processing/FourierTables.h"

#include <cmath>
#include <mutex>
#include <new>

#include "numerics/Constants.h"

namespace {

// The butterflies' 2 pi, to fourteen digits: the transform's results (and
// stored spectra) have always been computed with it, not with 2 kPi.
const double kButterflyTwoPi = 6.28318530717959;

// A document transforms at one or two sizes, in both directions; the 2D
// program adds a second dimension. A table of n points takes 16 n bytes;
// beyond the largest size of the transform dialog (1M floats, 512K complex
// points) the stages run their recurrences themselves.
const size_t kKeptTables = 6;
const int kMaxTablePoints = 1 << 19;

enum Kind { kStages, kSplit };

struct Entry {
  Kind kind;
  int n;
  int isign;
  std::shared_ptr<const FourierTables> table;
};

std::shared_ptr<FourierTables> BuildStages(int n, int isign) {
  auto t = std::make_shared<FourierTables>();
  t->wr.resize(n);
  t->wi.resize(n);
  for (int h = 1; h < n; h <<= 1) {
    CTwiddleRecurrence w = CTwiddleRecurrence::Stage(h, isign);
    for (int c = 0; c < h; ++c) {
      t->wr[h + c] = w.wr;
      t->wi[h + c] = w.wi;
      w.Advance();
    }
  }
  return t;
}

std::shared_ptr<FourierTables> BuildSplit(int n, int isign) {
  auto t = std::make_shared<FourierTables>();
  t->wr.resize(n / 4);
  t->wi.resize(n / 4);
  CTwiddleRecurrence w = CTwiddleRecurrence::Split(n, isign);
  for (int p = 1; p < n / 4; ++p) {
    t->wr[p] = w.wr;
    t->wi[p] = w.wi;
    w.Advance();
  }
  return t;
}

// Most recently used first. The transform runs on the user-interface
// thread, but the tables outlive any one caller, so they are guarded.
std::shared_ptr<const FourierTables> Find(Kind kind, int n, int isign) {
  static std::mutex mutex;
  static std::vector<Entry> entries;
  std::lock_guard<std::mutex> lock(mutex);
  for (size_t k = 0; k < entries.size(); ++k) {
    if (entries[k].kind == kind && entries[k].n == n && entries[k].isign == isign) {
      Entry found = entries[k];
      entries.erase(entries.begin() + k);
      entries.insert(entries.begin(), found);
      return found.table;
    }
  }
  try {
    // The oldest table goes first, so that it is freed before the new one
    // is allocated (a transform still using it keeps its own reference).
    if (entries.size() >= kKeptTables)
      entries.pop_back();
    Entry made = {kind, n, isign, kind == kStages ? BuildStages(n, isign) : BuildSplit(n, isign)};
    entries.insert(entries.begin(), made);
    return made.table;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace

CTwiddleRecurrence::CTwiddleRecurrence(double theta) : wr(1.0), wi(0.0) {
  const double s = std::sin(0.5 * theta);
  m_wpr = -2.0 * s * s;
  m_wpi = std::sin(theta);
}

CTwiddleRecurrence CTwiddleRecurrence::Stage(int h, int isign) {
  const int mmax = 2 * h;  // the stage's span in floats
  return CTwiddleRecurrence(isign * (kButterflyTwoPi / mmax));
}

CTwiddleRecurrence CTwiddleRecurrence::Split(int n, int isign) {
  const double theta = kPi / static_cast<double>(n >> 1);
  CTwiddleRecurrence w(isign == 1 ? theta : -theta);
  w.wr = 1.0 + w.m_wpr;
  w.wi = w.m_wpi;
  return w;
}

std::shared_ptr<const FourierTables> StageTables(int n, int isign) {
  return n <= kMaxTablePoints ? Find(kStages, n, isign) : nullptr;
}

std::shared_ptr<const FourierTables> SplitTables(int n, int isign) {
  return n / 4 <= kMaxTablePoints ? Find(kSplit, n, isign) : nullptr;
}
