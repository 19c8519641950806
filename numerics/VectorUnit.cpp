#include "numerics/VectorUnit.h"

namespace {

VectorUnit& Active() {
  static VectorUnit unit = WidestVectorUnit();
  return unit;
}

}  // namespace

VectorUnit WidestVectorUnit() {
#if defined(__SSE2__)
#if defined(__GNUC__)
  // Checks that the operating system keeps the 256-bit registers too.
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2"))
    return VectorUnit::kAvx2;
#endif
  return VectorUnit::kSse2;
#else
  return VectorUnit::kScalar;
#endif
}

VectorUnit ActiveVectorUnit() {
  return Active();
}

void LimitVectorUnit(VectorUnit unit) {
  const VectorUnit widest = WidestVectorUnit();
  Active() = unit < widest ? unit : widest;
}
