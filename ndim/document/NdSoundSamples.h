// The samples a 2D set sounds as: every trace one after another, one
// unsigned 8-bit sample per point, mono at 11025 Hz.
#pragma once

#include <vector>

// inner blocks of outer x current points each, in the order they lie in
// data; only real parts when complex. Each value v becomes
// trunc(255 v / (greatest - least)) - 128 kept to 8 bits; a set without
// spread is silence (128).
std::vector<unsigned char> BuildNdSoundSamples(const float* data, int outer, int inner, int current, bool complex,
                                               float least, float greatest);
