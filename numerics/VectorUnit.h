// The vector instructions the engines' inner loops run on: plain code, SSE2
// (which every build of the programs assumes) or, where the processor and
// the operating system offer them, AVX2. Each loop gives the same numbers
// on every unit, operation for operation; the widest one is taken, and
// tests pin each in turn.
#pragma once

enum class VectorUnit { kScalar, kSse2, kAvx2 };

VectorUnit WidestVectorUnit();
VectorUnit ActiveVectorUnit();
// The active unit becomes the narrower of unit and the widest.
void LimitVectorUnit(VectorUnit unit);
