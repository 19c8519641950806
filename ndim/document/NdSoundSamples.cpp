#include "ndim/document/NdSoundSamples.h"

#include <cmath>
#include <cstddef>

std::vector<unsigned char> BuildNdSoundSamples(const float* data, int outer, int inner, int current, bool complex,
                                               float least, float greatest) {
  if (data == nullptr || outer < 1 || inner < 1 || current < 1)
    return {};
  const std::size_t block = static_cast<std::size_t>(outer) * current;
  std::vector<unsigned char> samples(block * static_cast<std::size_t>(inner), 128);
  const double spread = static_cast<double>(greatest) - least;
  if (!(spread > 0.0) || !std::isfinite(spread))
    return samples;
  const std::size_t stride = complex ? 2 : 1;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double v = std::trunc(255.0 * data[i * stride] / spread);
    if (!std::isfinite(v))
      continue;  // silence rather than an undefined conversion
    // Beyond the byte range the value wraps, as an 8-bit sample does.
    const double wrapped = std::fmod(v - 128.0, 256.0);
    samples[i] = static_cast<unsigned char>(static_cast<int>(wrapped < 0 ? wrapped + 256.0 : wrapped));
  }
  return samples;
}
