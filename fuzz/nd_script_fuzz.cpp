// Random command scripts on small 2D sets. The first two bytes choose the
// shape (1 .. 16 points per dimension, real or complex); the rest is the
// script. Whole numbers of three or more digits are skipped and the run stops
// once the set has grown large, so that one input cannot ask for gigabytes.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ndim/import/Bv2File.h"
#include "ndim/script/CommandInterpreter.h"
#include "ndim/data/Spectrum2D.h"

namespace {

struct NullSink : CNdMessageSink {
  void ShowMessage(LPCSTR text) override {
    if (!text)
      std::abort();
  }
};

// Digits after a decimal point only make a fraction and may run long.
bool HasLongNumber(const std::string& s) {
  int run = 0;
  bool fraction = false;
  for (char c : s) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      if (!fraction && ++run >= 3)
        return true;
    } else {
      run = 0;
      fraction = c == '.';
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2 || size > 1024)
    return 0;  // a few dozen heavy commands at most
  std::string script(reinterpret_cast<const char*>(data) + 2, size - 2);
  if (HasLongNumber(script))
    return 0;

  std::unique_ptr<CSpectrum2D> set(new CSpectrum2D);
  set->m_nLastDim = 2;
  set->m_nCurrentDim = 2;
  set->m_bReal = data[0] & 0x80 ? 1 : 0;
  set->m_dims[1].m_nPoints = 1 + (data[0] & 15);
  set->m_dims[2].m_nPoints = 1 + (data[1] & 15);
  set->m_dims[2].m_fFirstPoint = static_cast<float>(data[1] >> 4);
  if (!set->AllocateData())
    return 0;
  const std::size_t floats = static_cast<std::size_t>(set->GetTotalPoints()) * set->FloatsPerPoint();
  for (std::size_t i = 0; i < floats; ++i)
    set->m_pData[i] = static_cast<float>((i * 37) % 11) - 5.0f;

  // Line by line, so that a script that keeps doubling the set (a prepend
  // followed by a transform, over and over) stops while it is still small.
  NullSink sink;
  CCommandInterpreter interpreter(&sink);
  std::size_t start = 0;
  while (start < script.size() && set->GetTotalPoints() <= (1 << 14)) {
    std::size_t end = script.find('\n', start);
    if (end == std::string::npos)
      end = script.size();
    interpreter.Execute(*set, script.substr(start, end - start).c_str());
    start = end + 1;
  }

  // The set stays consistent: its buffer still holds every point.
  if (set->m_pData) {
    const std::size_t n = static_cast<std::size_t>(set->GetTotalPoints()) * set->FloatsPerPoint();
    volatile float sum = 0;
    for (std::size_t i = 0; i < n; ++i)
      sum = sum + set->m_pData[i];
  }
  CString error;
  std::vector<BYTE> image;
  if (CBv2File::Format(*set, image, error)) {
    std::unique_ptr<CSpectrum2D> again(CBv2File::Parse(image.data(), image.size(), error));
    if (!again)
      std::abort();
  }
  return 0;
}
